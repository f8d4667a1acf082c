// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/qt/reproducible_pdf.h"

#include <QPdfWriter>
#include <QUuid>
#include <QtGlobal>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

namespace yhb {
namespace {

// Bytes [at, at + length) of the file become `with`.
struct Cut {
    qsizetype at;
    qsizetype length;
    QByteArray with;
};

bool isDateChar(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || c == 'D' || c == ':' || c == 'Z' || c == '+' || c == '-' ||
           c == '\'' || c == 'T' || c == '.';
}

// The first `key` in [from, limit) with its value, which runs from `open` to `close` and holds
// nothing but a date, and the white space before the key. Length 0 when there is none.
Cut dateEntry(const QByteArray& pdf, qsizetype from, qsizetype limit, const QByteArray& key, char open, char close) {
    const qsizetype at = pdf.indexOf(key, from);
    if (at < 0 || at >= limit) return {0, 0, {}};
    qsizetype i = at + key.size();
    while (i < limit && pdf[i] == ' ') ++i;
    if (i >= limit || pdf[i] != open) return {0, 0, {}};
    qsizetype end = i + 1;
    while (end < limit && pdf[end] != close) {
        if (!isDateChar(pdf[end])) return {0, 0, {}};
        ++end;
    }
    if (end >= limit) return {0, 0, {}};
    qsizetype start = at;
    while (start > from && (pdf[start - 1] == ' ' || pdf[start - 1] == '\n')) --start;
    return {start, end + 1 - start, {}};
}

// Reads the number that starts at `at`; -1 when there is none.
long long numberAt(const QByteArray& pdf, qsizetype at, qsizetype* end = nullptr) {
    long long n = -1;
    qsizetype i = at;
    for (; i < pdf.size() && std::isdigit(static_cast<unsigned char>(pdf[i])); ++i) n = (n < 0 ? 0 : n * 10) + (pdf[i] - '0');
    if (end) *end = i;
    return n;
}

// Applies the cuts (in order, apart) and moves the offsets of the cross-reference table and of
// startxref by what was taken out before each. False, with `pdf` untouched, when the file does
// not end as Qt ends it: one classic table of 20-byte entries, then the trailer.
bool applyCuts(QByteArray& pdf, const std::vector<Cut>& cuts) {
    const qsizetype startxref = pdf.lastIndexOf("startxref\n");
    if (startxref < 0) return false;
    qsizetype numberEnd = 0;
    const long long table = numberAt(pdf, startxref + 10, &numberEnd);
    if (table < 0 || table >= startxref || pdf.mid(table, 7) != "xref\n0 ") return false;
    qsizetype entries = 0;
    const long long count = numberAt(pdf, table + 7, &entries);
    if (count <= 0 || entries >= pdf.size() || pdf[entries] != '\n') return false;
    ++entries;
    if (entries + count * 20 > startxref) return false;
    for (const Cut& c : cuts)
        if (c.at + c.length > table) return false;

    const auto moved = [&cuts](long long offset) {
        for (const Cut& c : cuts)
            if (c.at < offset) offset -= c.length - c.with.size();
        return offset;
    };
    QByteArray out;
    out.reserve(pdf.size());
    qsizetype from = 0;
    for (const Cut& c : cuts) {
        out += pdf.mid(from, c.at - from);
        out += c.with;
        from = c.at + c.length;
    }
    const qsizetype tableOut = out.size() + (table - from);
    out += pdf.mid(from, startxref + 10 - from);
    for (long long i = 0; i < count; ++i) {
        const qsizetype entry = tableOut + (entries - table) + i * 20;
        if (out[entry + 17] != 'n') continue;
        char digits[11];
        std::snprintf(digits, sizeof digits, "%010lld", moved(numberAt(out, entry)));
        out.replace(entry, 10, digits, 10);
    }
    out += QByteArray::number(moved(table));
    out += pdf.mid(numberEnd);
    pdf = out;
    return true;
}

} // namespace

void setContentId(QPdfWriter& pdf, const std::function<QByteArray()>& content) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // The namespace of the ids of yunhuiban's documents.
    static const QUuid kDocumentNamespace(QStringLiteral("{5f6dccf9-abf6-4fd7-bd51-3784e55eb00e}"));
    pdf.setDocumentId(QUuid::createUuidV5(kDocumentNamespace, content()));
#else
    // Qt before 6.8 writes no document id.
    Q_UNUSED(pdf);
    Q_UNUSED(content);
#endif
}

QByteArray withoutDates(QByteArray pdf) {
    // The information dictionary and the XMP metadata come before the first compressed stream;
    // nothing after it is looked at, so no page's bytes can be mistaken for a date.
    qsizetype limit = pdf.indexOf("/FlateDecode");
    if (limit < 0) limit = pdf.size();
    std::vector<Cut> cuts;
    for (const char* key : {"/CreationDate", "/ModDate"})
        if (Cut c = dateEntry(pdf, 0, limit, key, '(', ')'); c.length > 0) cuts.push_back(c);

    // The XMP metadata's dates (Qt 6.8), and the length of its stream, which they shorten.
    const qsizetype xmp = pdf.indexOf("/Subtype /XML");
    const qsizetype lengthKey = xmp < 0 ? -1 : pdf.indexOf("/Length ", xmp);
    const qsizetype stream = lengthKey < 0 ? -1 : pdf.indexOf("stream\n", lengthKey);
    const qsizetype streamEnd = stream < 0 ? -1 : pdf.indexOf("endstream", stream);
    if (streamEnd > 0 && streamEnd < limit) {
        qsizetype digitsEnd = 0;
        const long long length = numberAt(pdf, lengthKey + 8, &digitsEnd);
        std::vector<Cut> inside;
        // QXmlStreamWriter quotes attributes with double quotes.
        for (const char* key : {"xmp:CreateDate=", "xmp:ModifyDate=", "xmp:MetadataDate="})
            if (Cut c = dateEntry(pdf, stream + 7, streamEnd, key, '"', '"'); c.length > 0) inside.push_back(c);
        qsizetype removed = 0;
        for (const Cut& c : inside) removed += c.length;
        if (length > removed && !inside.empty()) {
            cuts.push_back({lengthKey + 8, digitsEnd - (lengthKey + 8), QByteArray::number(length - removed)});
            cuts.insert(cuts.end(), inside.begin(), inside.end());
        }
    }
    std::sort(cuts.begin(), cuts.end(), [](const Cut& a, const Cut& b) { return a.at < b.at; });
    for (std::size_t i = 1; i < cuts.size(); ++i)
        if (cuts[i - 1].at + cuts[i - 1].length > cuts[i].at) return pdf;
    applyCuts(pdf, cuts);
    return pdf;
}

} // namespace yhb
