#include "FileVersion.h"

#include "Prompts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace {

QByteArray hashOf(QByteArrayView bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

QString absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

FileVersion::FileVersion(const QString& path) : path_(absolute(path)), stamp_(fileStamp(path_)) {}

void FileVersion::setContents(QByteArrayView bytes) {
    hash_ = hashOf(bytes);
}

FileVersion FileVersion::written(const QString& path, QByteArrayView bytes) {
    FileVersion version(path);
    version.setContents(bytes);
    return version;
}

bool FileVersion::isFile(const QString& path) const {
    return !path_.isEmpty() && path_ == absolute(path);
}

bool FileVersion::changedOnDisk() const {
    if (path_.isEmpty())
        return false;
    const FileStamp now = fileStamp(path_);
    if (!now.exists)
        return false;
    if (hash_.isEmpty())
        return true;
    if (now == stamp_)
        return false;
    const std::optional<QByteArray> bytes = readWholeFile(path_);
    return !bytes || hashOf(*bytes) != hash_;
}

SaveOverChange askBeforeSavingOver(Prompts& prompts, const FileVersion& read,
                                   const QString& target) {
    if (!read.isFile(target) || !read.changedOnDisk())
        return SaveOverChange::Overwrite;
    const QString question =
        QStringLiteral("%1 has changed on disk since Vexa read it.\n\nReload it (the changes made "
                       "here are lost), overwrite it (the changes on disk are lost), or cancel "
                       "the save?")
            .arg(displayName(target));
    const SaveOverChange answers[] = {SaveOverChange::Reload, SaveOverChange::Overwrite,
                                      SaveOverChange::Cancel};
    const int chosen =
        prompts.choose(question, {QStringLiteral("Reload"), QStringLiteral("Overwrite"),
                                  QStringLiteral("Cancel")});
    return chosen >= 0 && chosen < 3 ? answers[chosen] : SaveOverChange::Cancel;
}
