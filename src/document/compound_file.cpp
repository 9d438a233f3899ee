#include "compound_file.h"

#include "byte_writer.h"

#include <QMap>

#include <algorithm>
#include <functional>

namespace tamsel::doc {

using namespace bytes;

namespace {

constexpr int kSector = 512;
constexpr std::uint32_t kFreeSect = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSect = 0xFFFFFFFD;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::uint32_t kMiniCutoff = 4096;
constexpr int kHeaderDifatSlots = 109;

// Directory siblings form a search tree ordered by name length first, then
// by the upper-cased UTF-16 units.
bool nameLess(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return a.size() < b.size();
    return a.toUpper() < b.toUpper();
}

struct DirEntry
{
    QString name;
    int type = 0; // 1 storage, 2 stream, 5 root
    bool red = false;
    std::uint32_t left = kNoStream, right = kNoStream, child = kNoStream;
    std::uint32_t start = kEndOfChain;
    std::uint32_t size = 0;
};

void writeDirEntry(QByteArray &out, const DirEntry &e, bool wordClass)
{
    const qsizetype at = out.size();
    zeros(out, 128);
    for (int i = 0; i < e.name.size(); ++i)
        put16(out, at + 2 * i, e.name.at(i).unicode());
    put16(out, at + 64, e.name.isEmpty() ? 0 : unsigned(2 * (e.name.size() + 1)));
    out[at + 66] = char(e.type);
    out[at + 67] = char(e.red ? 0 : 1);
    put32(out, at + 68, e.left);
    put32(out, at + 72, e.right);
    put32(out, at + 76, e.child);
    if (e.type == 5 && wordClass) {
        // {00020906-0000-0000-C000-000000000046}: a Word document.
        static const unsigned char clsid[16] = {0x06, 0x09, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
        for (int i = 0; i < 16; ++i)
            out[at + 80 + i] = char(clsid[i]);
    }
    put32(out, at + 116, e.type == 0 ? 0 : e.start);
    put32(out, at + 120, e.size);
}

// Links the sorted entries [first, last) into a balanced tree and returns
// its root; nodes on the deepest level of an incomplete tree are red, which
// keeps every path's count of black nodes equal.
std::uint32_t linkTree(std::vector<DirEntry> &entries, const std::vector<std::uint32_t> &sorted, int first, int last,
                       int depth, int deepest, bool complete)
{
    if (first >= last)
        return kNoStream;
    const int mid = (first + last) / 2;
    DirEntry &node = entries[sorted[mid]];
    node.left = linkTree(entries, sorted, first, mid, depth + 1, deepest, complete);
    node.right = linkTree(entries, sorted, mid + 1, last, depth + 1, deepest, complete);
    node.red = !complete && depth == deepest && depth > 0;
    return sorted[mid];
}

} // namespace

QByteArray compoundFile(const std::vector<CompoundStream> &streams, bool wordDocumentClass)
{
    // Sector layout: the streams one after another, then the directory, then
    // the FAT. No mini stream: the caller pads small streams.
    std::vector<std::uint32_t> fat;
    std::vector<DirEntry> entries(1);
    entries[0].name = QStringLiteral("Root Entry");
    entries[0].type = 5;

    QByteArray body;
    for (const CompoundStream &stream : streams) {
        Q_ASSERT(stream.data.size() >= qsizetype(kMiniCutoff));
        DirEntry entry;
        entry.name = stream.name.left(31);
        entry.type = 2;
        entry.start = std::uint32_t(body.size() / kSector);
        entry.size = std::uint32_t(stream.data.size());
        const int sectors = int((stream.data.size() + kSector - 1) / kSector);
        for (int i = 0; i < sectors; ++i)
            fat.push_back(i + 1 < sectors ? entry.start + i + 1 : kEndOfChain);
        body += stream.data;
        padTo(body, kSector);
        entries.push_back(entry);
    }

    std::vector<std::uint32_t> sorted;
    for (std::uint32_t i = 1; i < entries.size(); ++i)
        sorted.push_back(i);
    std::sort(sorted.begin(), sorted.end(),
              [&](std::uint32_t a, std::uint32_t b) { return nameLess(entries[a].name, entries[b].name); });
    const int count = int(sorted.size());
    int deepest = 0;
    while ((2 << deepest) - 1 < count)
        ++deepest;
    const bool complete = count == (2 << deepest) - 1;
    entries[0].child = linkTree(entries, sorted, 0, count, 0, deepest, complete);

    const std::uint32_t dirStart = std::uint32_t(fat.size());
    const int dirSectors = int((entries.size() + 3) / 4);
    for (int i = 0; i < dirSectors; ++i)
        fat.push_back(i + 1 < dirSectors ? dirStart + i + 1 : kEndOfChain);
    QByteArray directory;
    for (const DirEntry &entry : entries)
        writeDirEntry(directory, entry, wordDocumentClass);
    while (directory.size() % kSector) {
        DirEntry unused;
        writeDirEntry(directory, unused, false);
    }
    body += directory;

    // The FAT covers itself too.
    int fatSectors = 1;
    while (fat.size() + fatSectors > std::size_t(fatSectors) * (kSector / 4))
        ++fatSectors;
    Q_ASSERT(fatSectors <= kHeaderDifatSlots);
    const std::uint32_t fatStart = std::uint32_t(fat.size());
    for (int i = 0; i < fatSectors; ++i)
        fat.push_back(kFatSect);
    fat.resize(std::size_t(fatSectors) * (kSector / 4), kFreeSect);
    for (std::uint32_t value : fat)
        u32(body, value);

    QByteArray header;
    static const unsigned char signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    header.append(reinterpret_cast<const char *>(signature), 8);
    zeros(header, 16);          // class id
    u16(header, 0x003E);        // minor version
    u16(header, 0x0003);        // major version: 512-byte sectors
    u16(header, 0xFFFE);        // byte order
    u16(header, 9);             // sector shift
    u16(header, 6);             // mini sector shift
    zeros(header, 6);           // reserved
    u32(header, 0);             // directory sectors (always 0 in version 3)
    u32(header, fatSectors);
    u32(header, dirStart);
    u32(header, 0);             // transaction signature
    u32(header, kMiniCutoff);
    u32(header, kEndOfChain);   // mini FAT start
    u32(header, 0);             // mini FAT sectors
    u32(header, kEndOfChain);   // DIFAT start
    u32(header, 0);             // DIFAT sectors
    for (int i = 0; i < kHeaderDifatSlots; ++i)
        u32(header, i < fatSectors ? fatStart + i : kFreeSect);
    return header + body;
}

Result<QByteArray> compoundStream(const QByteArray &file, const QString &name)
{
    static const QByteArray signature = QByteArray::fromHex("D0CF11E0A1B11AE1");
    if (file.size() < 512 || !file.startsWith(signature))
        return Status::failure(QStringLiteral("not an OLE compound file"));
    const unsigned shift = get16(file, 30);
    if (shift != 9 && shift != 12)
        return Status::failure(QStringLiteral("unsupported sector size"));
    const qsizetype sectorSize = qsizetype(1) << shift;
    const unsigned miniShift = get16(file, 32);
    const std::uint32_t cutoff = get32(file, 56);
    const qsizetype sectorCount = (file.size() - sectorSize + sectorSize - 1) / sectorSize;
    auto sectorOffset = [&](std::uint32_t sector) { return sectorSize + qsizetype(sector) * sectorSize; };

    // FAT sector list: the header's DIFAT slots, then the DIFAT chain.
    std::vector<std::uint32_t> fatSectors;
    const std::uint32_t fatCount = get32(file, 44);
    for (int i = 0; i < kHeaderDifatSlots && fatSectors.size() < fatCount; ++i)
        fatSectors.push_back(get32(file, 76 + 4 * i));
    std::uint32_t difat = get32(file, 68);
    for (int guard = 0; difat < kFatSect && fatSectors.size() < fatCount && guard < sectorCount; ++guard) {
        const qsizetype at = sectorOffset(difat);
        for (qsizetype i = 0; i < sectorSize / 4 - 1 && fatSectors.size() < fatCount; ++i)
            fatSectors.push_back(get32(file, at + 4 * i));
        difat = get32(file, at + sectorSize - 4);
    }
    std::vector<std::uint32_t> fat;
    for (std::uint32_t s : fatSectors) {
        if (qsizetype(s) >= sectorCount)
            return Status::failure(QStringLiteral("broken FAT"));
        for (qsizetype i = 0; i < sectorSize / 4; ++i)
            fat.push_back(get32(file, sectorOffset(s) + 4 * i));
    }

    auto readChain = [&](std::uint32_t start, const std::vector<std::uint32_t> &table, qsizetype unit,
                         const std::function<qsizetype(std::uint32_t)> &offsetOf, const QByteArray &source,
                         qsizetype limit) -> Result<QByteArray> {
        QByteArray out;
        std::uint32_t s = start;
        for (qsizetype guard = 0; s < kFatSect && out.size() < limit; ++guard) {
            if (s >= table.size() || guard > qsizetype(table.size()))
                return Status::failure(QStringLiteral("broken sector chain"));
            const qsizetype at = offsetOf(s);
            if (at < 0 || at >= source.size())
                return Status::failure(QStringLiteral("sector chain past the end of the file"));
            out += source.mid(at, unit);
            s = table[s];
        }
        if (out.size() < limit)
            return Status::failure(QStringLiteral("stream shorter than its directory entry says"));
        out.truncate(limit);
        return out;
    };

    // The directory is a chain of unknown length: read up to its end.
    QByteArray directory;
    std::uint32_t d = get32(file, 48);
    for (qsizetype guard = 0; d < kFatSect; ++guard) {
        if (d >= fat.size() || guard > qsizetype(fat.size()))
            return Status::failure(QStringLiteral("broken directory chain"));
        directory += file.mid(sectorOffset(d), sectorSize);
        d = fat[d];
    }
    if (directory.size() < 128)
        return Status::failure(QStringLiteral("no directory"));

    auto entryName = [&](qsizetype at) {
        const unsigned length = std::min(get16(directory, at + 64), 64u);
        QString text;
        for (unsigned i = 0; i + 2 < length && i < 62; i += 2)
            text.append(QChar(char16_t(get16(directory, at + i))));
        return text;
    };
    const std::uint32_t rootStart = get32(directory, 116);
    const std::uint32_t rootSize = get32(directory, 120);
    for (qsizetype at = 0; at + 128 <= directory.size(); at += 128) {
        if (get8(directory, at + 66) != 2 || entryName(at) != name)
            continue;
        const std::uint32_t start = get32(directory, at + 116);
        const std::uint32_t size = get32(directory, at + 120);
        if (size >= cutoff)
            return readChain(start, fat, sectorSize, sectorOffset, file, size);
        // Small streams live in the mini stream, itself the root's chain.
        Result<QByteArray> mini = readChain(rootStart, fat, sectorSize, sectorOffset, file, rootSize);
        if (!mini)
            return mini;
        Result<QByteArray> miniFatBytes =
            readChain(get32(file, 60), fat, sectorSize, sectorOffset, file, qsizetype(get32(file, 64)) * sectorSize);
        if (!miniFatBytes)
            return miniFatBytes;
        std::vector<std::uint32_t> miniFat;
        for (qsizetype i = 0; i + 4 <= miniFatBytes.value().size(); i += 4)
            miniFat.push_back(get32(miniFatBytes.value(), i));
        const qsizetype miniSize = qsizetype(1) << miniShift;
        return readChain(start, miniFat, miniSize, [&](std::uint32_t s) { return qsizetype(s) * miniSize; },
                         mini.value(), size);
    }
    return Status::failure(QStringLiteral("no stream \"%1\"").arg(name));
}

} // namespace tamsel::doc
