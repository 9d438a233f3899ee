// template-show: the 71 values of a record template, keyed by template key
// in key order, read by the same reader as "打开(笔录模板)".
#include "cli_command.h"

#include "record_fields.h"
#include "record_template.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

namespace tamsel::cli {

namespace {

// One JSON string, quoted and escaped.
QString jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

} // namespace

int runTemplateShow(const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() != 1) {
        err << "usage: tamsel-cli template-show FILE\n";
        return 2;
    }
    const Result<RecordTemplate> loaded = RecordTemplate::load(args.first());
    if (!loaded) {
        err << loaded.message() << "\n";
        return 1;
    }
    // Written by hand to keep the keys in template order.
    out << "{\n";
    const auto fields = recordFields();
    const QStringList values = loaded.value().values();
    for (size_t i = 0; i < fields.size(); ++i) {
        out << "    " << jsonString(fields[i].templateKey) << ": " << jsonString(values[static_cast<qsizetype>(i)])
            << (i + 1 < fields.size() ? ",\n" : "\n");
    }
    out << "}\n";
    return 0;
}

} // namespace tamsel::cli
