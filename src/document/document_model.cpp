#include "document_model.h"

#include <QStringList>

namespace tamsel::doc {

QString paragraphText(const Paragraph &paragraph)
{
    QString text;
    for (const Run &run : paragraph.runs)
        text += run.text;
    return text;
}

QString plainText(const Document &document)
{
    QStringList lines;
    for (const Block &block : document.body) {
        if (const auto *paragraph = std::get_if<Paragraph>(&block)) {
            lines << paragraphText(*paragraph);
            continue;
        }
        for (const TableRow &row : std::get<Table>(block).rows) {
            QStringList cells;
            for (const TableCell &cell : row.cells) {
                QStringList cellLines;
                for (const Paragraph &paragraph : cell.paragraphs)
                    cellLines << paragraphText(paragraph);
                // A merged cell's text belongs to the cell it continues.
                if (cell.mergedWithPrevious && !cells.isEmpty()) {
                    cellLines.removeAll(QString());
                    if (!cellLines.isEmpty())
                        cells.last() += QLatin1Char(' ') + cellLines.join(QLatin1Char(' '));
                    continue;
                }
                cells << cellLines.join(QLatin1Char(' '));
            }
            lines << cells.join(QLatin1Char('\t'));
        }
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace tamsel::doc
