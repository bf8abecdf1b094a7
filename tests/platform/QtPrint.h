// SPDX-License-Identifier: MIT
// Readable Qt strings in test failure messages.
#pragma once

#include <QRect>
#include <QString>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void printTo(const QRect& r, std::ostream* os) {
    *os << "QRect(" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << ")";
}
