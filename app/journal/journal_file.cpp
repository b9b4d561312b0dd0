// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "journal_file.h"

#include "journal_error.h"
#include "utc_time.h"

#include <cerrno>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace journal {

namespace {

// Non-blocking, so that opening a FIFO or a device cannot hang before fstat
// refuses it; the flag goes once it has.
constexpr int openFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

// Closes fd unless released, so that every refusal closes what it opened.
struct FileGuard {
    int fd;
    ~FileGuard() {
        if (fd >= 0)
            ::close(fd);
    }
    int release() { return std::exchange(fd, -1); }
};

// The directory that holds path's last name.
std::string parentOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Brings a new name in directory to stable storage, as the rows in its file will be.
void syncDirectory(const std::string& directory, const std::string& path) {
    FileGuard guard{::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (guard.fd < 0 || ::fsync(guard.fd) != 0)
        throw JournalError(path, 0,
                           "cannot sync the directory " + directory + ": " + errnoReason(errno));
}

// Makes each missing directory above path, 0700 as state only its player reads.
void makeParents(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string directory = path.substr(0, slash);
        if (::mkdir(directory.c_str(), 0700) == 0)
            syncDirectory(parentOf(directory), path);
        else if (errno != EEXIST)
            throw JournalError(
                path, 0, "cannot make the directory " + directory + ": " + errnoReason(errno));
    }
}

// Refuses anything but a regular file, then lets reads and writes block again.
void checkRegular(int fd, const std::string& path) {
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        throw JournalError(path, 0, errnoReason(errno));
    if (S_ISDIR(status.st_mode))
        throw JournalError(path, 0, "is a directory");
    if (!S_ISREG(status.st_mode))
        throw JournalError(path, 0, "not a regular file");
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        throw JournalError(path, 0, errnoReason(errno));
}

} // namespace

Journal::Journal(std::string path, const RowCallback& eachRow) : path_(std::move(path)) {
    constexpr int readWrite = O_RDWR | O_APPEND | openFlags;
    FileGuard file{::open(path_.c_str(), readWrite)};
    if (file.fd < 0 && errno == ENOENT) {
        makeParents(path_);
        file.fd = ::open(path_.c_str(), readWrite | O_CREAT | O_EXCL, 0600);
        if (file.fd >= 0)
            syncDirectory(parentOf(path_), path_);
        else if (errno == EEXIST) // another game made it first
            file.fd = ::open(path_.c_str(), readWrite);
    }
    if (file.fd < 0)
        throw JournalError(path_, 0, errnoReason(errno));
    checkRegular(file.fd, path_);
    if (::flock(file.fd, LOCK_EX | LOCK_NB) != 0)
        throw JournalError(path_, 0,
                           errno == EWOULDBLOCK ? "another running game holds it"
                                                : "cannot lock it: " + errnoReason(errno));
    Scan found = scan(file.fd, path_, eachRow);
    if (found.empty) {
        const std::string header = std::string(standardHeader) + "\r\n";
        const ssize_t wrote = ::write(file.fd, header.data(), header.size());
        if (wrote != static_cast<ssize_t>(header.size())) {
            std::string reason = wrote < 0 ? errnoReason(errno) : "a short write";
            // Empty again, as it was.
            if (::ftruncate(file.fd, 0) != 0)
                reason += ", and it could not be emptied again";
            throw JournalError(path_, 0, "cannot write the header: " + reason);
        }
        found.endsInLineBreak = true;
    }
    tally_ = std::move(found.tally);
    format_ = std::move(found.format);
    needsLineBreak_ = !found.endsInLineBreak;
    game_ = tally_.lastGame + 1;
    try {
        sync_ = std::make_unique<BackgroundSync>(file.fd);
    } catch (const std::system_error& error) {
        throw JournalError(path_, 0, std::string("cannot start its sync thread: ") + error.what());
    }
    fd_ = file.release();
    if (found.empty)
        sync_->request();
}

Journal::~Journal() {
    if (fd_ >= 0) {
        sync_->stop();
        ::close(fd_);
    }
}

void Journal::append(const Guess& guess) {
    if (fd_ < 0)
        throw JournalError(path_, 0, "cannot add a row: the journal is closed");
    if (guess.colour < 1 || guess.colour > 6 || guess.secret < 0 || guess.secret > 6 ||
        !timeInRange(guess.time))
        throw JournalError(path_, 0, "cannot add a row: a colour or the time out of range");
    if (const int error = sync_->takeError())
        throw JournalError(path_, 0, "cannot bring rows to the disk: " + errnoReason(error));
    const Row row{guess.time,   game_,       guess.colour,
                  guess.secret, guess.blind, guess.colour == guess.secret};
    // After a torn row, the line break it lacks goes in the same write.
    text_.assign(needsLineBreak_ ? "\r\n" : "");
    format_.write(row, text_);
    ssize_t wrote;
    do
        wrote = ::write(fd_, text_.data(), text_.size());
    while (wrote < 0 && errno == EINTR);
    if (wrote != static_cast<ssize_t>(text_.size())) {
        if (wrote > 0)
            needsLineBreak_ = true;
        throw JournalError(path_, 0,
                           "cannot add a row: " + (wrote < 0
                                                       ? errnoReason(errno)
                                                       : "a short write (" + std::to_string(wrote) +
                                                             " of " + std::to_string(text_.size()) +
                                                             " bytes), the disk may be full"));
    }
    needsLineBreak_ = false;
    sync_->request();
}

void Journal::close() {
    if (fd_ < 0)
        return;
    const int syncError = sync_->stop();
    const int closeError = ::close(fd_) == 0 ? 0 : errno;
    fd_ = -1;
    if (syncError != 0)
        throw JournalError(path_, 0, "cannot bring rows to the disk: " + errnoReason(syncError));
    if (closeError != 0)
        throw JournalError(path_, 0, "cannot close it: " + errnoReason(closeError));
}

Tally scanJournal(const std::string& path, const RowCallback& eachRow) {
    FileGuard file{::open(path.c_str(), O_RDONLY | openFlags)};
    if (file.fd < 0)
        throw JournalError(path, 0, errnoReason(errno));
    checkRegular(file.fd, path);
    return scan(file.fd, path, eachRow).tally;
}

} // namespace journal
