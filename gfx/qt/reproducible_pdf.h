// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>

#include <functional>

class QPdfWriter;

namespace yhb {

// The same page written twice, by the window or by the tool, today or next week, is the same
// file. Qt stamps every PDF with the moment it was written and, from Qt 6.8, with a random
// document id; these two take both out.

// Before painting: where Qt lets the document id be set, it becomes a name-based UUID of what
// `content` gives, the bytes that decide what is drawn, so that no other document shares it.
// `content` is only called where Qt takes an id.
void setContentId(QPdfWriter& pdf, const std::function<QByteArray()>& content);

// After the writer has finished: the bytes without the dates of the document information and
// of its XMP metadata, the cross-reference table moved to match. A file not laid out as Qt
// writes it comes back as it was.
QByteArray withoutDates(QByteArray pdf);

} // namespace yhb
