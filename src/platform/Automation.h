#pragma once
// Late-bound automation objects of outside applications (spreadsheet, word processor, database
// access). This platform has no automation servers: production creates nothing, and the grid
// reports the missing server. Tests hand in a fake through platform::Services.

#include <QString>
#include <QVariant>

#include <memory>
#include <stdexcept>

namespace platform {

// A failure of an automation object or of creating one; the message names the object.
class EAutomationError : public std::runtime_error {
public:
    explicit EAutomationError(const QString& message) : std::runtime_error(message.toStdString()), msg(message) {}
    const QString& Message() const { return msg; }

private:
    QString msg;
};

class AutomationObject;
using AutomationRef = std::shared_ptr<AutomationObject>;

// One dispatch object. Two-dimensional values travel as a QVariantList of rows, each a
// QVariantList; an element that is no text or number (empty, an object, an error) is an invalid
// QVariant.
class AutomationObject {
public:
    virtual ~AutomationObject() = default;
    virtual QVariant get(const QString& property, const QVariantList& args = {}) = 0;
    virtual void set(const QString& property, const QVariant& value) = 0;
    virtual QVariant call(const QString& method, const QVariantList& args = {}) = 0;
    // A property, item or method whose value is an object; null when it has none.
    virtual AutomationRef object(const QString& name, const QVariantList& args = {}) = 0;
};

class AutomationServers {
public:
    virtual ~AutomationServers() = default;
    // A new instance of the registered name; null when it cannot be created.
    virtual AutomationRef create(const QString& name) = 0;
    // The running instance; null when none runs.
    virtual AutomationRef attach(const QString& name) = 0;
};

// The production servers: none.
AutomationServers& noAutomationServers();

} // namespace platform
