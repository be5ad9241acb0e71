// SPDX-License-Identifier: GPL-2.0-or-later
// Messages that reach the user (a data file that cannot be read, a record
// that is wrong): an id that keys the text in section "Messages" of the
// language files, and the values of the text's placeholders. English texts
// are built in as the fallback and for what() of the errors that carry them.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace caelora {

class Message {
 public:
  Message() = default;
  // The message of the catalogue with this id.
  explicit Message(std::string id) : id_(std::move(id)) {}
  // A text that is no message of the catalogue (the error of a library):
  // shown as it is, in every language.
  static Message verbatim(std::string text);

  // Fills the placeholder "{name}" with a text, or with another message in
  // the same language. Returns the message, for chaining.
  Message& with(std::string name, std::string value);
  Message& with(std::string name, Message value);

  const std::string& id() const { return id_; }

 private:
  struct Arg {
    std::string name;
    std::string text;
    std::shared_ptr<const Message> message;
  };
  friend std::string formatMessage(const Message& message,
                                   const std::function<std::string(const std::string&)>& pattern);

  std::string id_;
  std::string verbatim_;
  std::vector<Arg> args_;
};

// The English text of a message id with its placeholders; empty for an id
// that the catalogue lacks.
std::string_view englishMessage(std::string_view id);

// Every id of the catalogue.
std::vector<std::string_view> messageIds();

// The text of `message` in UTF-8: the pattern that `pattern` gives for its
// id (the English one when it gives an empty text), each "{name}" replaced by
// its value; a placeholder without a value stays as it is.
std::string formatMessage(const Message& message,
                          const std::function<std::string(const std::string&)>& pattern = {});

// The text of `message` in the language of `languageFile` (its section
// "Messages", Windows-1250), in UTF-8; English where the file lacks a key.
std::string localizedMessage(const std::string& languageFile, const Message& message);

// An error that the user reads: what() is the message in English.
class MessageError : public std::runtime_error {
 public:
  explicit MessageError(const Message& message)
      : std::runtime_error(formatMessage(message)), message_(message) {}
  // A text that is no message of the catalogue.
  explicit MessageError(const std::string& text)
      : std::runtime_error(text), message_(Message::verbatim(text)) {}

  const Message& message() const { return message_; }

 private:
  Message message_;
};

// The message an exception carries: its own, or its what() as it stands.
Message messageOf(const std::exception& error);

}  // namespace caelora
