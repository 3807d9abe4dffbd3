#pragma once

// Fakes for the platform seams. Each installs itself on construction and puts the
// production implementation back when it goes out of scope.

#include "base/Platform.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>

// Records every message box and notice; answers questions and file dialogs from queues.
class FakeDialogs final : public Dialogs
{
public:
    struct Message
    {
        QString text;
        Icon icon;
        QString title;
    };

    FakeDialogs() { platform::install(this); }
    ~FakeDialogs() override { platform::install(static_cast<Dialogs *>(nullptr)); }

    void message(const QString &text, Icon icon, const QString &title) override
    {
        messages.push_back({ text, icon, title });
    }
    void notice(const QString &text, Icon icon, const QString &title) override
    {
        notices.push_back({ text, icon, title });
    }
    bool askYesNo(const QString &title, const QString &text) override
    {
        questions.push_back({ text, Icon::Question, title });
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString openFileName(const QString &filter, const QString &proposedName) override
    {
        fileDialogs.push_back({ filter, proposedName });
        return takeName();
    }
    QString saveFileName(const QString &filter, const QString &proposedName) override
    {
        fileDialogs.push_back({ filter, proposedName });
        return takeName();
    }
    bool openUrl(const QString &address) override
    {
        openedUrls << address;
        return urlsOpen;
    }

    QStringList texts() const
    {
        QStringList list;
        for (const Message &m : messages)
            list << m.text;
        return list;
    }

    std::vector<Message> messages;
    std::vector<Message> notices; // shown without waiting for the user
    std::vector<Message> questions;
    std::deque<bool> answers;
    std::deque<QString> fileNames; // empty string = the user cancels
    std::vector<std::pair<QString, QString>> fileDialogs; // filter, proposed name
    QStringList openedUrls;
    bool urlsOpen = true; // false: the desktop has nothing that opens them

private:
    QString takeName()
    {
        if (fileNames.empty())
            return {};
        QString name = fileNames.front();
        fileNames.pop_front();
        return name;
    }
};

// A clock whose sleeps only add up; time moves when a test says so.
class FakeClock final : public Clock
{
public:
    FakeClock() { platform::install(this); }
    ~FakeClock() override { platform::install(static_cast<Clock *>(nullptr)); }

    QDateTime now() const override { return current; }
    void sleepMs(int ms) override
    {
        sleeps.push_back(ms);
        current = current.addMSecs(ms);
    }

    QDateTime current = QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53));
    std::vector<int> sleeps;
};

// A fresh, empty program directory for INI files and data folders.
class TempProgramDir final : public ProgramDir
{
public:
    TempProgramDir() { platform::install(this); }
    ~TempProgramDir() override { platform::install(static_cast<ProgramDir *>(nullptr)); }

    QString path() const override { return m_dir.path(); }

    // Writes a file of the program directory (SysSet.ini, say), replacing what was there.
    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(filePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            ADD_FAILURE() << "cannot write " << qPrintable(file.fileName());
    }

    // An empty file at a relative path, folders made: it stands for a device node.
    QString makeFile(const QString &relative) const
    {
        const QString path = QDir(m_dir.path()).filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            ADD_FAILURE() << "cannot create " << qPrintable(path);
        return path;
    }

private:
    QTemporaryDir m_dir;
};
