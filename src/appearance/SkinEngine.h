#pragma once

// The theming layer under the skin window: a skin is a Qt style sheet read from a file and
// shown on every window; switched off, the windows show the platform's plain style.
//
// The engine keeps the sheet it loaded last and whether skinning is on. Showing a sheet goes
// through an applier, which the program points at the application object and tests replace.

#include <QString>

#include <functional>

class SkinEngine
{
public:
    // Shows a style sheet on every window; an empty sheet means the plain style.
    using Applier = std::function<void(const QString &styleSheet)>;

    explicit SkinEngine(Applier applier = {});

    // Reads the style sheet in `path` and shows it when skinning is on. A missing or
    // unreadable file changes nothing and costs one line on standard error; false then.
    bool loadFromFile(const QString &path);

    // Off shows the plain style; on shows the loaded sheet (the plain style while none is
    // loaded).
    void setActive(bool on);
    bool active() const { return m_active; }

    const QString &styleSheet() const { return m_sheet; }
    const QString &fileName() const { return m_fileName; }
    // Files loaded successfully since the engine was made.
    int loadCount() const { return m_loadCount; }

    void setApplier(Applier applier) { m_applier = std::move(applier); }

private:
    void show() const;

    Applier m_applier;
    QString m_sheet;
    QString m_fileName;
    bool m_active = false;
    int m_loadCount = 0;
};
