#include "LookupThreads.h"

#include <QHostInfo>
#include <QMutex>

#include <deque>
#include <thread>

namespace {

class Threads {
public:
    void add(LookupThreads::Job job) {
        QMutexLocker lock(&mutex_);
        jobs_.push_back(std::move(job));
        if (running_ < MaxThreads) {
            ++running_;
            std::thread([this] { work(); }).detach();
        }
    }

private:
    static constexpr int MaxThreads = 8;

    void work() {
        for (;;) {
            LookupThreads::Job job;
            {
                QMutexLocker lock(&mutex_);
                if (jobs_.empty()) {
                    --running_;
                    return;
                }
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            job();
        }
    }

    QMutex mutex_;
    std::deque<LookupThreads::Job> jobs_;
    int running_ = 0;
};

} // namespace

void LookupThreads::run(Job job) {
    // Never destroyed: a thread may finish its lookup after the program's end.
    static auto* const threads = new Threads;
    threads->add(std::move(job));
}

QList<QHostAddress> systemLookup(const QString& host) {
    const QHostInfo info = QHostInfo::fromName(host);
    return info.error() == QHostInfo::NoError ? info.addresses() : QList<QHostAddress>();
}

QHostAddress plainAddress(const QHostAddress& address) {
    bool isIpv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIpv4);
    return isIpv4 ? QHostAddress(ipv4) : address;
}

void lookUpInBackground(const std::shared_ptr<LookupLink>& link,
                        std::function<QList<QHostAddress>(const QString&)> lookup,
                        const QString& host, std::function<void(const QList<QHostAddress>&)> done) {
    LookupThreads::run([link, lookup = std::move(lookup), host, done = std::move(done)] {
        const QList<QHostAddress> found = lookup(host);
        QMutexLocker lock(&link->mutex);
        if (QObject* owner = link->owner)
            QMetaObject::invokeMethod(
                owner, [done, found] { done(found); }, Qt::QueuedConnection);
    });
}
