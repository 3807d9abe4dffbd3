#include "widgets/TranslatedText.h"

#include <QCoreApplication>
#include <QVariant>

namespace {
// One dynamic property per translated property: "kmrText:<property>" holds the context, the
// source, the text shown and the arguments.
constexpr char Prefix[] = "kmrText:";

QString translated(const QStringList &memory)
{
    QString text
        = QCoreApplication::translate(memory[0].toUtf8().constData(), memory[1].toUtf8().constData());
    for (qsizetype i = 3; i < memory.size(); ++i)
        text = text.arg(memory[i]);
    return text;
}

void show(QObject *target, const char *property, QStringList memory)
{
    const QString text = translated(memory);
    memory[2] = text;
    target->setProperty(property, text);
    target->setProperty((QByteArray(Prefix) + property).constData(), memory);
}

void retranslateOne(QObject *object)
{
    for (const QByteArray &name : object->dynamicPropertyNames()) {
        if (!name.startsWith(Prefix))
            continue;
        const QStringList memory = object->property(name.constData()).toStringList();
        const QByteArray property = name.mid(static_cast<qsizetype>(sizeof Prefix) - 1);
        if (memory.size() >= 3 && object->property(property.constData()).toString() == memory[2])
            show(object, property.constData(), memory);
    }
}
} // namespace

void SetTranslatedText(QObject *target, const char *property, const char *context, const char *source,
    const QStringList &arguments)
{
    QStringList memory = { QString::fromUtf8(context), QString::fromUtf8(source), QString() };
    memory += arguments;
    show(target, property, memory);
}

void RetranslateTexts(QObject *root)
{
    retranslateOne(root);
    for (QObject *child : root->findChildren<QObject *>())
        retranslateOne(child);
}
