#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

// What a file reader hands back: the fully read data, or why the file was refused.
// The window picks its fixed message from the kind; the command line prints message().
namespace quom {

enum class ReadFailure {
    Unreadable, // the file could not be opened or read
    WrongMagic, // not a file of the expected kind
    Damaged, // the right kind, but shorter than its layout or with an impossible field
    Unsupported, // the right kind, in an encoding Quom cannot read (12-bit samples, say)
};

struct ReadError {
    ReadFailure kind = ReadFailure::Unreadable;
    std::string path;
    std::string detail; // why, in words the user reads after the path

    // A detail that says what the file is ("is not a regular file") makes one sentence
    // with its path; any other follows a colon.
    std::string message() const { return path + (detail.starts_with("is ") ? " " : ": ") + detail; }
};

template <class Data> class ReadResult {
public:
    ReadResult(Data data)
        : data_(std::move(data))
    {
    }
    ReadResult(ReadError error)
        : error_(std::move(error))
    {
    }

    explicit operator bool() const noexcept { return data_.has_value(); }
    const Data& operator*() const& { return *data_; }
    Data& operator*() & { return *data_; }
    Data&& operator*() && { return std::move(*data_); }
    const Data* operator->() const { return &*data_; }
    Data* operator->() { return &*data_; }

    // Meaningful only when the read failed.
    const ReadError& error() const noexcept { return error_; }

private:
    std::optional<Data> data_;
    ReadError error_;
};

// A read that hands back nothing but whether it worked, and why not.
using ReadStatus = ReadResult<std::monostate>;

} // namespace quom
