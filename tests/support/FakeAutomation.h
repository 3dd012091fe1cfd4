#pragma once
// Automation servers for tests: each object answers from its tables and every call lands in
// one shared log as "object.member(args)".

#include "platform/Automation.h"

#include <QStringList>

#include <functional>
#include <map>
#include <memory>

namespace testsupport {

struct FakeAutomationObject : platform::AutomationObject {
    QString name;
    QStringList* log = nullptr;
    std::map<QString, QVariant> props;
    std::map<QString, std::function<QVariant(const QVariantList&)>> methods;
    std::map<QString, std::function<platform::AutomationRef(const QVariantList&)>> objects;

    FakeAutomationObject(QString n, QStringList* l) : name(std::move(n)), log(l) {}

    static QString argText(const QVariantList& args)
    {
        QStringList parts;
        for (const QVariant& a : args)
            parts << a.toString();
        return parts.join(QLatin1Char(','));
    }
    void note(const QString& member, const QVariantList& args, const QString& suffix = {})
    {
        if (log)
            *log << name + QLatin1Char('.') + member + QLatin1Char('(') + argText(args) + QLatin1Char(')') + suffix;
    }
    QVariant get(const QString& p, const QVariantList& args) override
    {
        note(p, args);
        if (auto m = methods.find(p); m != methods.end())
            return m->second(args);
        auto it = props.find(p);
        return it == props.end() ? QVariant() : it->second;
    }
    void set(const QString& p, const QVariant& v) override
    {
        note(p, {},
             QStringLiteral("=") + (v.typeId() == QMetaType::QVariantList ? QStringLiteral("[array]") : v.toString()));
        props[p] = v;
    }
    QVariant call(const QString& m, const QVariantList& args) override
    {
        note(m, args);
        auto it = methods.find(m);
        return it == methods.end() ? QVariant() : it->second(args);
    }
    platform::AutomationRef object(const QString& n, const QVariantList& args) override
    {
        note(n, args);
        auto it = objects.find(n);
        return it == objects.end() ? nullptr : it->second(args);
    }
    // Answers the same child whatever the arguments.
    void child(const QString& n, platform::AutomationRef obj)
    {
        objects[n] = [obj](const QVariantList&) { return obj; };
    }
};

struct FakeAutomation : platform::AutomationServers {
    QStringList log;
    std::map<QString, platform::AutomationRef> running, creatable;

    std::shared_ptr<FakeAutomationObject> make(const QString& name)
    {
        return std::make_shared<FakeAutomationObject>(name, &log);
    }
    platform::AutomationRef create(const QString& n) override
    {
        log << QStringLiteral("create ") + n;
        auto it = creatable.find(n);
        return it == creatable.end() ? nullptr : it->second;
    }
    platform::AutomationRef attach(const QString& n) override
    {
        log << QStringLiteral("attach ") + n;
        auto it = running.find(n);
        return it == running.end() ? nullptr : it->second;
    }
};

} // namespace testsupport
