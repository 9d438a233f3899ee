#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>

namespace tamsel::test {

// Takes, for its lifetime, the web pages the program hands to the browser
// (http and https), so tests see them instead of a browser starting.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    UrlCatcher()
    {
        for (const char *scheme : {"http", "https"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~UrlCatcher() override
    {
        for (const char *scheme : {"http", "https"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    QStringList opened;

public slots:
    void open(const QUrl &url) { opened << url.toString(); }
};

} // namespace tamsel::test
