#pragma once

#include <QByteArray>
#include <QIODevice>

#include <algorithm>
#include <cstring>

// A file of any size held in a few bytes: `head`, then `zeros` zero bytes, then `tail`. It keeps
// the longest read asked of it: a reader that believes a huge claimed length shows at no cost.
class SparseDevice : public QIODevice {
public:
    SparseDevice(QByteArray head, qint64 zeros, QByteArray tail)
        : head_(std::move(head)), zeros_(zeros), tail_(std::move(tail)) {
        open(QIODevice::ReadOnly);
    }

    qint64 size() const override { return head_.size() + zeros_ + tail_.size(); }
    qint64 longestRead() const { return longestRead_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 length = std::min(maxSize, size() - pos());
        longestRead_ = std::max(longestRead_, maxSize);
        if (length <= 0)
            return 0;
        std::memset(data, 0, size_t(length));
        copyPart(data, length, head_, 0);
        copyPart(data, length, tail_, head_.size() + zeros_);
        return length;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    void copyPart(char* data, qint64 length, const QByteArray& bytes, qint64 from) const {
        const qint64 begin = std::max(pos(), from);
        const qint64 end = std::min(pos() + length, from + bytes.size());
        if (begin < end)
            std::memcpy(data + (begin - pos()), bytes.constData() + (begin - from),
                        size_t(end - begin));
    }

    QByteArray head_;
    qint64 zeros_;
    QByteArray tail_;
    qint64 longestRead_ = 0;
};
