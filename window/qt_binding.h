#pragma once

#include "runtime.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <map>
#include <memory>
#include <string_view>

class QLabel;

namespace window {

// The one place that knows the ratio: 15 twips make a pixel at 96 dpi. Qt's
// device-pixel ratio scales from there.
int twipsToPixels(int twips);
QColor toQColor(rt::Colour colour);

// A push button painted as a plain square of its colour. It draws its own
// focus mark, since a style-sheet colour hides the style's.
class ColourButton : public QPushButton {
public:
    ColourButton(QColor colour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The colour panel. It takes focus by keyboard only, so that a screen reader
// can land on it and read which colour it shows.
class ColourPanel : public QWidget {
public:
    explicit ColourPanel(QWidget* parent);
    void setColour(QColor colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QColor colour_;
    bool showFocus_ = false;
};

// The window of one form, built from its description: a widget per visible
// control, placed, coloured and in tab order. It forwards clicks to the
// runtime and mirrors what the runtime changes.
class FormWindow : public QWidget {
public:
    FormWindow(rt::Runtime& runtime, rt::Form& form);

    QWidget* widget(std::string_view controlName) const;
    void controlChanged(const rt::Control& control);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    void layoutCount(QLabel* label, const rt::ControlDescription& description);
    QString colourName(rt::Colour colour) const;
    int freeWidthRightOf(const rt::ControlDescription& description) const;

    rt::Runtime& runtime_;
    rt::Form& form_;
    std::map<const rt::Control*, QWidget*> widgets_;
};

// Connects the runtime to Qt: drives its clock with real time, mirrors
// control changes on the windows, and quits the application when the
// program ends.
class QtHost final : public rt::Host {
public:
    enum class Clock { realTime, manual };

    QtHost(rt::Runtime& runtime, Clock clock);
    ~QtHost() override;

    // Builds the window of a form the runtime has created.
    FormWindow& addWindow(rt::Form& form);

    void controlChanged(const rt::Control& control) override;
    void scheduleChanged() override;
    void formUnloaded(const rt::Form& form) override;
    void exit(int code) override;

private:
    void onTimeout();

    rt::Runtime& runtime_;
    Clock clock_;
    QElapsedTimer elapsed_;
    QTimer timer_;
    std::map<const rt::Form*, std::unique_ptr<FormWindow>> windows_;
};

// Reports a run-time error on standard error and in a message box.
class MessageBoxReporter final : public rt::ErrorReporter {
public:
    void report(const rt::RuntimeError& error) override;
};

} // namespace window
