#include "doc_reader.h"

#include "byte_writer.h"
#include "compound_file.h"

namespace tamsel::doc {

using namespace bytes;

namespace {

// Operand size of a sprm from its spra bits; 0 for a variable operand.
int operandSize(unsigned sprm)
{
    switch (sprm >> 13) {
    case 0:
    case 1:
        return 1;
    case 2:
    case 4:
    case 5:
        return 2;
    case 3:
        return 4;
    case 7:
        return 3;
    default:
        return 0;
    }
}

int signed16(unsigned value) { return int(std::int16_t(std::uint16_t(value))); }

void applySectionSprms(const QByteArray &g, PageSetup &page)
{
    qsizetype at = 0;
    while (at + 2 <= g.size()) {
        const unsigned sprm = get16(g, at);
        at += 2;
        int size = operandSize(sprm);
        qsizetype operand = at;
        if (size == 0) {
            size = int(get8(g, at));
            operand = at + 1;
            at += 1;
        }
        const unsigned value = size == 1 ? get8(g, operand) : get16(g, operand);
        switch (sprm) {
        case 0x301D: page.landscape = value != 0; break;
        case 0xB01F: page.pageWidthTwips = int(value); break;
        case 0xB020: page.pageHeightTwips = int(value); break;
        case 0xB021: page.marginLeftTwips = int(value); break;
        case 0xB022: page.marginRightTwips = int(value); break;
        case 0x9023: page.marginTopTwips = signed16(value); break;
        case 0x9024: page.marginBottomTwips = signed16(value); break;
        case 0xB017: page.headerTwips = int(value); break;
        case 0xB018: page.footerTwips = int(value); break;
        case 0x5032: page.lineGrid = value != 0; break;
        case 0x9031: page.linePitchTwips = signed16(value); break;
        default: break;
        }
        at += size;
    }
}

} // namespace

Result<DocSummary> readDocSummary(const QByteArray &bytes)
{
    Result<QByteArray> wordStream = compoundStream(bytes, QStringLiteral("WordDocument"));
    if (!wordStream)
        return Status::failure(wordStream.message());
    const QByteArray &word = wordStream.value();
    if (word.size() < 0x200 || get16(word, 0) != 0xA5EC)
        return Status::failure(QStringLiteral("not a Word document"));
    if (get16(word, 2) < 0x00C1)
        return Status::failure(QStringLiteral("a Word document older than Word 97"));
    const unsigned flags = get16(word, 0x0A);
    if (flags & 0x0100)
        return Status::failure(QStringLiteral("an encrypted Word document"));
    Result<QByteArray> tableStream =
        compoundStream(bytes, (flags & 0x0200) ? QStringLiteral("1Table") : QStringLiteral("0Table"));
    if (!tableStream)
        return Status::failure(tableStream.message());
    const QByteArray &table = tableStream.value();

    // Locate the FIB parts by their counts rather than fixed offsets.
    const qsizetype lw = 32 + 2 + 2 * qsizetype(get16(word, 32));
    const qsizetype fcLcb = lw + 2 + 4 * qsizetype(get16(word, lw));
    const unsigned pairs = get16(word, fcLcb);
    auto fcOf = [&](unsigned index) { return index < pairs ? get32(word, fcLcb + 2 + 8 * index) : 0u; };
    auto lcbOf = [&](unsigned index) { return index < pairs ? get32(word, fcLcb + 6 + 8 * index) : 0u; };
    const std::uint32_t ccpText = get32(word, lw + 2 + 12);

    DocSummary summary;
    // Word's page defaults when the section says nothing.
    summary.page = PageSetup{12240, 15840, false, 1440, 1440, 1800, 1800, 720, 720, false, 0};
    summary.hasHeaderOrFooter = get32(word, lw + 2 + 20) > 0;

    const std::uint32_t fcSed = fcOf(6), lcbSed = lcbOf(6);
    if (lcbSed >= 4 + 4 + 12) {
        if (qsizetype(fcSed) + lcbSed > table.size())
            return Status::failure(QStringLiteral("section table outside the table stream"));
        const std::uint32_t fcSepx = get32(table, fcSed + 8 + 2);
        if (fcSepx != 0xFFFFFFFF) {
            const unsigned cb = get16(word, fcSepx);
            if (qsizetype(fcSepx) + 2 + cb > word.size())
                return Status::failure(QStringLiteral("section properties outside the document stream"));
            applySectionSprms(word.mid(fcSepx + 2, cb), summary.page);
        }
    }

    // Main text through the piece table (Prc entries come first and are skipped).
    const std::uint32_t fcClx = fcOf(33), lcbClx = lcbOf(33);
    if (qsizetype(fcClx) + lcbClx > table.size() || lcbClx == 0)
        return Status::failure(QStringLiteral("piece table outside the table stream"));
    qsizetype at = fcClx;
    const qsizetype end = qsizetype(fcClx) + lcbClx;
    while (at < end && get8(table, at) == 0x01)
        at += 3 + get16(table, at + 1);
    if (at >= end || get8(table, at) != 0x02)
        return Status::failure(QStringLiteral("no piece table"));
    const std::uint32_t lcbPcd = get32(table, at + 1);
    const qsizetype plc = at + 5;
    const int pieces = lcbPcd >= 4 ? int((lcbPcd - 4) / 12) : 0;
    for (int i = 0; i < pieces && std::uint32_t(summary.mainText.size()) < ccpText; ++i) {
        const std::uint32_t cpStart = get32(table, plc + 4 * i), cpEnd = get32(table, plc + 4 * (i + 1));
        const std::uint32_t fcRaw = get32(table, plc + 4 * (pieces + 1) + 8 * i + 2);
        const bool compressed = fcRaw & 0x40000000;
        const std::uint32_t fc = fcRaw & 0x3FFFFFFF;
        for (std::uint32_t cp = cpStart; cp < cpEnd && std::uint32_t(summary.mainText.size()) < ccpText; ++cp) {
            const qsizetype pos = compressed ? fc / 2 + (cp - cpStart) : fc + 2 * qsizetype(cp - cpStart);
            if (pos + (compressed ? 1 : 2) > word.size())
                return Status::failure(QStringLiteral("text outside the document stream"));
            summary.mainText.append(QChar(char16_t(compressed ? get8(word, pos) : get16(word, pos))));
        }
    }
    return summary;
}

} // namespace tamsel::doc
