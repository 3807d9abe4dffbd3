#include "appearance/SkinEngine.h"

#include <QFile>

#include <cstdio>

SkinEngine::SkinEngine(Applier applier)
    : m_applier(std::move(applier))
{
}

bool SkinEngine::loadFromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(
            stderr, "Skin file %s not loaded: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        std::fprintf(
            stderr, "Skin file %s not loaded: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    m_sheet = QString::fromUtf8(bytes);
    m_fileName = path;
    ++m_loadCount;
    if (m_active)
        show();
    return true;
}

void SkinEngine::setActive(bool on)
{
    m_active = on;
    show();
}

void SkinEngine::show() const
{
    if (m_applier)
        m_applier(m_active ? m_sheet : QString());
}
