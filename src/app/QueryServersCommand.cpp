#include "QueryServersCommand.h"

#include "launch/ServerQuery.h"
#include "launch/ServerStatusText.h"
#include "platform/TextFile.h"
#include "platform/VexaError.h"
#include "profiles/MapLists.h"

#include <QDir>
#include <QEventLoop>
#include <QTextStream>

namespace {

QStringList serverLines(const QStringList& lines) {
    QStringList servers;
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty())
            servers << line.trimmed();
    return servers;
}

} // namespace

int queryServers(const QString& fileName, QTextStream& out, QTextStream& messages) {
    const QString path =
        fileName.isEmpty() ? MapLists::serverListPath(QDir::currentPath()) : fileName;
    QStringList servers;
    try {
        servers = serverLines(TextFile::readLines(path));
    } catch (const VexaError& error) {
        messages << "vexa: " << error.message() << Qt::endl;
        return 2;
    }
    ServerQuery query;
    QEventLoop loop;
    QObject::connect(&query, &ServerQuery::finished, &loop, &QEventLoop::quit);
    query.ask(servers);
    if (query.isAsking())
        loop.exec();
    for (const QString& server : servers)
        out << ServerStatusText::queryLine(server, *query.result(server)) << Qt::endl;
    return 0;
}
