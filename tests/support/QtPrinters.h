#pragma once

#include <QColor>
#include <QString>

#include <ostream>

// Readable failure messages for Qt values in GoogleTest assertions.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QColor& c, std::ostream* os)
{
    *os << "RGB(" << c.red() << ", " << c.green() << ", " << c.blue() << ")";
}
