#pragma once

#include "core/io/Bytes.h"
#include "core/io/ReadResult.h"

#include <cstdint>
#include <string>

// The reader of kit files: a line classifier, not a parser. Each line, trimmed of
// white space, becomes one token; the structure is left to the caller. Its quirks
// are part of the kit format and must stay: the comment marker is "<--" (so the
// writer's own "<!--" line reads as a start tag), and an attribute element drops
// the character before "=" from its attribute name.
namespace quom {

enum class XmlToken : std::int32_t {
    Declaration = 0, // "<?..."
    Comment = 1, // "<--...": comment = the line without its first and last 3 characters
    StartTag = 2, // "<...", not ending "/>": name = the line without its first and last character
    EndTag = 3, // "</...": name = the line without its first 2 and last character
    AttributeElement = 4, // every other line, empty and plain text lines included
};

// 64 instruments of a few short lines each, paths at their longest, are some 300 kB.
inline constexpr FileKind kKitFileKind{"a kit", std::uint64_t{16} << 20};

class XMLreader {
public:
    // Reads the whole file; IsOpen() is false when it could not be read, and error() says why.
    explicit XMLreader(const std::string& path);
    static XMLreader fromText(std::string text);
    virtual ~XMLreader() = default;

    bool IsOpen() const noexcept { return isOpen_; }
    const ReadError& error() const noexcept { return error_; }

    // Classifies the next line; false at the end of the text. Fields the token's kind
    // does not set keep their previous contents.
    bool Next();

    XmlToken kind() const noexcept { return kind_; }
    const std::string& name() const noexcept { return name_; }
    const std::string& attribute() const noexcept { return attribute_; }
    const std::string& value() const noexcept { return value_; }
    const std::string& comment() const noexcept { return comment_; }

private:
    XMLreader() = default;
    void readAttributeElement(const std::string& line);

    bool isOpen_ = false;
    ReadError error_;
    std::string text_;
    std::size_t next_ = 0; // start of the next line in text_
    XmlToken kind_ = XmlToken::Declaration;
    std::string name_;
    std::string attribute_;
    std::string value_;
    std::string comment_;
};

} // namespace quom
