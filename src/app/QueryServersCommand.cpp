#include "QueryServersCommand.h"

#include "launch/ServerSearch.h"
#include "launch/ServerStatusText.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "platform/VexaError.h"
#include "platform/VexaIni.h"
#include "profiles/AddressBook.h"
#include "profiles/MapLists.h"
#include "settings/GameHome.h"

#include <QDir>
#include <QEventLoop>
#include <QSet>
#include <QTextStream>

namespace {

QStringList serverLines(const QStringList& lines) {
    QStringList servers;
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty())
            servers << line.trimmed();
    return servers;
}

bool wantsFile(const ServerQueryOptions& options) {
    return !options.fileName.isEmpty() || !(options.lan || options.masters || options.addressBook);
}

ServerSources sourcesOf(const ServerQueryOptions& options, QStringList& fileServers) {
    ServerSources sources;
    sources.lan = options.lan;
    if (wantsFile(options)) {
        const QString path = options.fileName.isEmpty()
                                 ? MapLists::serverListPath(QDir::currentPath())
                                 : options.fileName;
        fileServers = serverLines(TextFile::readLines(path));
        sources.listed = fileServers;
    }
    if (!options.masters && !options.addressBook)
        return sources;
    const IniFile ini(VexaIni::fileName());
    if (options.masters)
        sources.masters = MasterList::parseMasters(
            VexaIni::readString(ini, VexaIni::Masters, QLatin1String(MasterList::DefaultMasters)));
    if (options.addressBook) {
        const EngineChoice choice = storedEngineChoice(ini);
        const QString folder =
            AddressBook::gameScriptFolder(choice, MapLists::mapBaseDirectory(ini));
        sources.addressBook = AddressBook::read(AddressBook::scriptFiles(folder), choice.engine);
    }
    return sources;
}

void printPlayers(const std::optional<ServerResult>& result, QTextStream& out) {
    if (!result || result->state != ServerState::Answered)
        return;
    for (const ServerStatus::Player& player : result->reply.players)
        out << ServerStatusText::playerLine(player) << Qt::endl;
}

void printServer(const QString& shown, const std::optional<ServerResult>& result, bool players,
                 QTextStream& out) {
    const ServerResult bad{ServerState::BadAddress, -1, {}};
    out << ServerStatusText::queryLine(shown, result.value_or(bad)) << Qt::endl;
    if (players)
        printPlayers(result, out);
}

} // namespace

int queryServers(const ServerQueryOptions& options, QTextStream& out, QTextStream& messages) {
    QStringList fileServers;
    ServerSources sources;
    try {
        sources = sourcesOf(options, fileServers);
    } catch (const VexaError& error) {
        messages << "vexa: " << error.message() << Qt::endl;
        return 2;
    }
    ServerSearch search;
    QObject::connect(&search, &ServerSearch::problem, &search, [&messages](const QString& problem) {
        messages << "vexa: " << problem << Qt::endl;
    });
    QEventLoop loop;
    QObject::connect(&search, &ServerSearch::finished, &loop, &QEventLoop::quit);
    search.start(sources);
    if (search.isRunning())
        loop.exec();
    QSet<QString> printed;
    for (const QString& line : std::as_const(fileServers)) {
        const QString address = ServerSearch::canonicalAddress(line);
        printed.insert(address);
        printServer(line, address.isEmpty() ? std::nullopt : search.result(address),
                    options.players, out);
    }
    for (const QString& address : search.addresses())
        if (!printed.contains(address))
            printServer(address, search.result(address), options.players, out);
    return 0;
}
