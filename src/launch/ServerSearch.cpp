#include "ServerSearch.h"

namespace {

struct SourceName {
    ServerSource source;
    const char* name;
};
constexpr SourceName SourceNames[] = {{FromList, "servers.txt"},
                                      {FromAddressBook, "address book"},
                                      {FromLan, "LAN"},
                                      {FromMaster, "master"}};

} // namespace

QString sourceNames(int sources) {
    QStringList names;
    for (const SourceName& entry : SourceNames)
        if (sources & entry.source)
            names << QLatin1String(entry.name);
    return names.join(QStringLiteral(", "));
}

ServerSearch::ServerSearch(QObject* parent) : QObject(parent) {
    connect(&query_, &ServerQuery::resultChanged, this, &ServerSearch::resultChanged);
    connect(&query_, &ServerQuery::finished, this, &ServerSearch::finishIfDone);
    connect(&lan_, &LanSearch::serverFound, this, &ServerSearch::lanServerFound);
    connect(&lan_, &LanSearch::finished, this, &ServerSearch::finishIfDone);
    connect(
        &masters_, &MasterQuery::listed, this,
        [this](const QString&, const QStringList& servers) { addServers(servers, FromMaster); });
    connect(&masters_, &MasterQuery::problem, this,
            [this](const QString& master, const QString& message) {
                emit problem(QStringLiteral("Master %1: %2").arg(master, message));
            });
    connect(&masters_, &MasterQuery::finished, this, &ServerSearch::finishIfDone);
}

QString ServerSearch::canonicalAddress(const QString& text) {
    const auto address = ServerStatus::parseAddress(text);
    if (!address)
        return {};
    const QString host = address->host.toLower();
    const QString port = QString::number(address->port);
    return host.contains(u':') ? QLatin1Char('[') + host + QStringLiteral("]:") + port
                               : host + QLatin1Char(':') + port;
}

void ServerSearch::start(const ServerSources& sources) {
    // Nothing finishes before every source has started.
    starting_ = true;
    query_.ask({}); // forgets the last results
    addresses_.clear();
    sources_.clear();
    running_ = true;
    // A source not asked this time must not go on adding to the list.
    if (sources.lan)
        lan_.search();
    else
        lan_.stop();
    masters_.fetch(sources.masters);
    addServers(sources.listed, FromList);
    addServers(sources.addressBook, FromAddressBook);
    starting_ = false;
    finishIfDone();
}

bool ServerSearch::isRunning() const {
    return running_;
}

std::optional<ServerResult> ServerSearch::result(const QString& address) const {
    const auto asked = query_.result(address);
    if (asked && asked->state == ServerState::Answered)
        return asked;
    const auto lan = lan_.result(address);
    return lan ? lan : asked;
}

void ServerSearch::addServers(const QStringList& texts, ServerSource source) {
    QStringList added;
    for (const QString& text : texts) {
        const QString address = canonicalAddress(text);
        if (address.isEmpty())
            continue;
        int& from = sources_[address];
        if (from == 0) {
            addresses_ << address;
            added << address;
        }
        from |= source;
    }
    for (const QString& address : std::as_const(added))
        emit serverAdded(address);
    if (!added.isEmpty())
        query_.add(added);
}

void ServerSearch::lanServerFound(const QString& address) {
    int& from = sources_[address];
    const bool isNew = from == 0;
    from |= FromLan;
    if (isNew) {
        addresses_ << address;
        emit serverAdded(address);
    }
    emit resultChanged(address);
}

void ServerSearch::finishIfDone() {
    if (!running_ || starting_ || query_.isAsking() || lan_.isSearching() || masters_.isFetching())
        return;
    running_ = false;
    emit finished();
}
