#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Marks a word of the core for translation (stored words, hints): lupdate
// reads it, and the interface looks the word up in its own language. Without
// Qt it is the text itself; Qt's own definition is the same.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace rimo {

// A text for the user, made in the Qt-free core: its source text (Japanese,
// with %1 to %9 for the arguments) kept apart from the arguments, so that the
// interface can show it in its own language. An argument is a plain text (a
// path, a number, the system's own words) or a message of its own.
class Message {
public:
    Message() = default;
    // `context` and `source` are literals; lupdate reads Translatable() calls
    // as it reads QT_TRANSLATE_NOOP (scripts/update-translations.sh).
    Message(const char* context, const char* source) : context_(context), source_(source) {}
    // A text shown as it is in every language.
    static Message Plain(std::string text) {
        Message plain;
        plain.plain_ = std::move(text);
        return plain;
    }

    // A layout of other texts that no language changes (indentation, a
    // list's bullets, lines joined): `format` with %1 to %9, never translated.
    static Message Layout(const char* format) {
        Message layout;
        layout.source_ = format;
        return layout;
    }

    Message& Arg(Message argument) & {
        args_.push_back(std::move(argument));
        return *this;
    }
    Message&& Arg(Message argument) && { return std::move(Arg(std::move(argument))); }
    Message& Arg(std::string plain) & { return Arg(Plain(std::move(plain))); }
    Message&& Arg(std::string plain) && { return std::move(Arg(Plain(std::move(plain)))); }
    Message& Arg(long long number) & { return Arg(std::to_string(number)); }
    Message&& Arg(long long number) && { return std::move(Arg(std::to_string(number))); }

    bool IsEmpty() const { return source_ == nullptr && plain_.empty(); }
    const char* Context() const { return context_; }
    const char* Source() const { return source_; }
    const std::vector<Message>& Args() const { return args_; }

    // In the source language: the source text with the arguments put in.
    std::string Text() const;
    // In another language: `translate(context, source)` gives the format of
    // each source text, as a std::string in UTF-8.
    template <typename Translate> std::string Render(const Translate& translate) const {
        if (!source_) {
            return plain_;
        }
        std::vector<std::string> args;
        args.reserve(args_.size());
        for (const Message& argument : args_) {
            args.push_back(argument.Render(translate));
        }
        return Substitute(context_ ? translate(context_, source_) : std::string(source_), args);
    }

    // Compared and printed (tests, standard error) in the source language.
    explicit operator std::string() const { return Text(); }
    friend bool operator==(const Message& message, std::string_view text) {
        return message.Text() == text;
    }
    friend bool operator==(const Message& a, const Message& b) { return a.Text() == b.Text(); }
    friend std::ostream& operator<<(std::ostream& out, const Message& message) {
        return out << message.Text();
    }

    // `format` with %1 to %99 replaced by the arguments in one pass: an
    // argument's own "%1" stays as it is. A number without an argument stays.
    static std::string Substitute(std::string_view format, const std::vector<std::string>& args);

private:
    const char* context_ = nullptr;
    const char* source_ = nullptr;
    std::string plain_;
    std::vector<Message> args_;
};

// How a message reaches the user. The core's default is the source text; the
// interface passes its own language (Translations::Text).
using MessageRender = std::function<std::string(const Message&)>;
inline std::string SourceText(const Message& message) {
    return message.Text();
}

// A message of the core: `context` names the part it belongs to.
inline Message Translatable(const char* context, const char* source) {
    return Message(context, source);
}

} // namespace rimo
