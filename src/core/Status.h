#pragma once

#include "core/Message.h"

#include <string>
#include <utility>

namespace rimo {

// Outcome of an operation that can fail; the message is meant for the user.
class Status {
public:
    static Status Ok() { return Status(); }
    static Status Error(Message message) { return Status(std::move(message)); }
    // A text that is the same in every language (a system's own words).
    static Status Error(std::string message) { return Status(Message::Plain(std::move(message))); }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    // In the source language; the interface shows text() in its own.
    std::string message() const { return message_.Text(); }
    const Message& text() const { return message_; }

private:
    Status() = default;
    explicit Status(Message message) : failed_(true), message_(std::move(message)) {}

    bool failed_ = false;
    Message message_;
};

} // namespace rimo
