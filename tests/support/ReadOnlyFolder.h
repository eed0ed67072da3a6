#pragma once
// A folder the test process cannot write, as an installed program's folder
// is for its users: the folder and the files in it lose their write
// permission and, for a test run as root, the calling thread drops
// CAP_DAC_OVERRIDE, without which root too is bound by the permission
// bits. Everything comes back at the end.
#include <QDir>
#include <QFile>
#include <QHash>
#include <QString>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &folder) : m_folder(folder)
    {
        m_permissions = QFile::permissions(folder);
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files)) {
            m_files.insert(file.absoluteFilePath(), file.permissions());
            QFile::setPermissions(file.absoluteFilePath(), readOnly);
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                          | QFile::ReadOther | QFile::ExeOther);
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        m_header.pid = 0;
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        m_dropped = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~ReadOnlyFolder()
    {
        if (m_dropped)
            syscall(SYS_capset, &m_header, m_saved);
        QFile::setPermissions(m_folder, m_permissions);
        for (auto it = m_files.cbegin(); it != m_files.cend(); ++it)
            QFile::setPermissions(it.key(), it.value());
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

private:
    QString m_folder;
    QFile::Permissions m_permissions;
    QHash<QString, QFile::Permissions> m_files;
    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_saved[2]{};
    bool m_dropped = false;
};
