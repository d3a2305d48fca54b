#include "core/io/XmlReader.h"

#include "core/io/Bytes.h"

#include <algorithm>
#include <string_view>

namespace quom {
namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

std::string trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(kWhiteSpace);
    return std::string(s.substr(first, last - first + 1));
}

// s without `front` characters at its start and `back` at its end; empty when
// s is too short for both.
std::string inner(const std::string& s, std::size_t front, std::size_t back)
{
    if (s.size() < front + back)
        return {};
    return s.substr(front, s.size() - front - back);
}

} // namespace

XMLreader::XMLreader(const std::string& path)
{
    const auto bytes = readRegularFile(path, kKitFileKind);
    if (!bytes) {
        error_ = bytes.error();
        return;
    }
    text_.assign(bytes->begin(), bytes->end());
    isOpen_ = true;
}

XMLreader XMLreader::fromText(std::string text)
{
    XMLreader reader;
    reader.text_ = std::move(text);
    reader.isOpen_ = true;
    return reader;
}

bool XMLreader::Next()
{
    if (next_ >= text_.size())
        return false;
    auto end = text_.find('\n', next_);
    if (end == std::string::npos)
        end = text_.size();
    const std::string line = trimmed(std::string_view(text_).substr(next_, end - next_));
    next_ = end + 1;

    if (line.starts_with("<?")) {
        kind_ = XmlToken::Declaration;
    } else if (line.starts_with("<--")) {
        kind_ = XmlToken::Comment;
        comment_ = inner(line, 3, 3);
    } else if (line.starts_with("</")) {
        kind_ = XmlToken::EndTag;
        name_ = inner(line, 2, 1);
    } else if (line.starts_with("<") && !line.ends_with("/>")) {
        kind_ = XmlToken::StartTag;
        name_ = inner(line, 1, 1);
    } else {
        kind_ = XmlToken::AttributeElement;
        readAttributeElement(line);
    }
    return true;
}

// <element attribute = "value"/>: the attribute name loses the character before "="
// (the writer's blank), and the value loses every double quote.
void XMLreader::readAttributeElement(const std::string& line)
{
    const std::string s = inner(line, 1, 2);
    const auto blank = s.find(' ');
    name_ = blank == std::string::npos ? std::string() : s.substr(0, blank);
    const std::string rest = blank == std::string::npos ? s : s.substr(blank);

    const auto equals = rest.find('=');
    if (equals == std::string::npos) {
        attribute_.clear();
        value_.clear();
        return;
    }
    attribute_ = equals == 0 ? std::string() : trimmed(std::string_view(rest).substr(0, equals - 1));
    value_ = trimmed(std::string_view(rest).substr(equals + 1));
    std::erase(value_, '"');
}

} // namespace quom
