#pragma once

#include <QByteArray>
#include <QFile>

// The process's resident memory now (VmRSS), in KiB; 0 where /proc cannot tell.
inline double residentKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble();
    return 0;
}
