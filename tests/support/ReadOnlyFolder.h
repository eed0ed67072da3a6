#pragma once
// Permission bits that bind the test as they bind an ordinary user. Root's
// file access ignores them, so a test of a read-only file or folder run as
// root would pass for the wrong reason: PermissionBits takes
// CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH from the calling thread for its
// lifetime. ReadOnlyFolder makes a folder and its files read-only, as an
// installed program's are, under PermissionBits; at the end the owner may
// write them again.
#include <QDir>
#include <QFile>
#include <QString>

#include <optional>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testenv {

class PermissionBits {
public:
    PermissionBits()
    {
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        bound = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~PermissionBits()
    {
        if (bound)
            syscall(SYS_capset, &m_header, m_saved);
    }
    PermissionBits(const PermissionBits &) = delete;
    PermissionBits &operator=(const PermissionBits &) = delete;

    bool bound = false; // false: the override could not be given up

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
};

} // namespace testenv

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &folder) : m_folder(folder)
    {
        SetAll(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther, QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
        m_bits.emplace();
    }
    ~ReadOnlyFolder()
    {
        m_bits.reset();
        SetAll(QFile::ReadOwner | QFile::WriteOwner, QFile::ExeOwner);
    }

private:
    // The folder's files get `files`, the folder itself `files | search`.
    void SetAll(QFile::Permissions files, QFile::Permissions search) const
    {
        for (const QFileInfo &file : QDir(m_folder).entryInfoList(QDir::Files))
            QFile::setPermissions(file.absoluteFilePath(), files);
        QFile::setPermissions(m_folder, files | search);
    }

    QString m_folder;
    std::optional<testenv::PermissionBits> m_bits;
};
