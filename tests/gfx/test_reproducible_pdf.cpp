// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>

#include <string>

#include "../cli/pdf_helpers.h"
#include "gfx/qt/reproducible_pdf.h"

using namespace yhb;

namespace {

// A file laid out as Qt 6.8 writes one at `date` (PDF form) / `iso` (XMP form): the document
// information, the XMP metadata with its dates, a compressed page stream, the table.
QByteArray writtenAt(const QByteArray& date, const QByteArray& iso) {
    const QByteArray xmp = "<?xpacket begin=''?><x:xmpmeta><rdf:RDF>\n"
                           " <rdf:Description rdf:about=\"\" xmp:CreatorTool=\"yhb\" xmp:CreateDate=\"" +
                           iso + "\" xmp:ModifyDate=\"" + iso + "\" xmp:MetadataDate=\"" + iso +
                           "\"/>\n"
                           " <rdf:Description rdf:about=\"\" xmpMM:DocumentID=\"uuid:1\"/>\n"
                           "</rdf:RDF></x:xmpmeta><?xpacket end='w'?>";
    const QList<QByteArray> objects = {
        "<<\n/Title (t)\n/Producer (Qt 6.8.2)\n/CreationDate " + date + "\n/ModDate " + date + "\n/Trapped /False\n>>\n",
        "<<\n/Type /Metadata /Subtype /XML\n/Length " + QByteArray::number(xmp.size()) + "\n>>\nstream\n" + xmp +
            "\nendstream\n",
        "<<\n/Type /Catalog\n/Metadata 2 0 R\n>>\n",
        "<<\n/Length 9\n/Filter /FlateDecode\n>>\nstream\n/CreationDate (D:1)\nendstream\n",
    };
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "endobj\n";
    }
    const qsizetype table = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype o : offsets) pdf += QByteArray::number(o).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<<\n/Size 5\n/Info 1 0 R\n/Root 3 0 R\n>>\nstartxref\n" + QByteArray::number(table) + "\n%%EOF\n";
    return pdf;
}

// The XMP stream's declared length against the bytes between stream and endstream.
bool xmpLengthHolds(const std::string& pdf) {
    const std::size_t key = pdf.find("/Length ", pdf.find("/Subtype /XML"));
    const std::size_t start = pdf.find("stream\n", key) + 7, end = pdf.find("\nendstream", start);
    return std::stoul(pdf.substr(key + 8)) == end - start;
}

} // namespace

// Written at another moment in another time zone by Qt 6.8, the same page is the same file, and
// a reader still finds every object and the whole metadata.
TEST(ReproduciblePdf, TheMomentAndTheTimeZoneLeaveNoTrace) {
    const QByteArray beijing = withoutDates(writtenAt("(D:20261208082816+08'00')", "2026-12-08T08:28:16+08:00"));
    const QByteArray utc = withoutDates(writtenAt("(D:20261209120001Z)", "2026-12-09T12:00:01Z"));
    EXPECT_EQ(beijing, utc);
    const std::string pdf = beijing.toStdString();
    EXPECT_EQ(test::misplacedObject(pdf), "");
    EXPECT_TRUE(xmpLengthHolds(pdf));
    for (const char* gone : {"CreateDate", "ModifyDate", "MetadataDate", "/ModDate", "2026"})
        EXPECT_EQ(pdf.find(gone), std::string::npos) << gone;
    // The rest is left as it was: the id, the title, and a page's bytes however they read.
    for (const char* kept : {"xmpMM:DocumentID=\"uuid:1\"", "/Title (t)", "/Trapped /False", "stream\n/CreationDate (D:1)"})
        EXPECT_NE(pdf.find(kept), std::string::npos) << kept;
}

// A file not laid out as Qt lays it out is given back untouched rather than broken.
TEST(ReproduciblePdf, AFileItCannotFollowIsLeftAlone) {
    QByteArray odd = writtenAt("(D:20261208082816Z)", "2026-12-08T08:28:16Z");
    odd.replace("startxref\n", "startxref\n9");
    EXPECT_EQ(withoutDates(odd), odd);
}
