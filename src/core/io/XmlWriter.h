#pragma once

#include "core/io/AtomicFile.h"

#include <string>
#include <vector>

// The writer of kit files: one construct per line, one tab per nesting level, CR LF
// line ends. The text is built in memory and written atomically by Save.
namespace quom {

class XMLwriter {
public:
    explicit XMLwriter(std::string path);
    virtual ~XMLwriter() = default;

    // The declaration and the program's comment; only before any element (false otherwise).
    bool WriteHeader();
    bool OpenElement(const std::string& name);
    // <element attribute = "value"/>, the value unchanged: no escaping.
    bool WriteAttributeElement(
        const std::string& element, const std::string& attribute, const std::string& value);
    // False, writing nothing, when no element is open.
    bool CloseElement();

    // Writes the text so far to the path. Elements still open stay unclosed.
    WriteResult Save() const;

    const std::string& text() const noexcept { return text_; }

private:
    void line(const std::string& content);

    std::string path_;
    std::string text_;
    std::vector<std::string> open_; // innermost last; its size is the depth
};

} // namespace quom
