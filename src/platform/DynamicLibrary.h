#pragma once
// Outside libraries loaded by name at run time, with their exports looked up by name. A loaded
// library is released when its handle goes, on every path out of the code that holds it, so
// a failed lookup or an early return never leaves it loaded.

#include <QString>

#include <memory>

namespace platform {

// One loaded library; destroying it releases the library.
class DynamicLibrary {
public:
    virtual ~DynamicLibrary() = default;
    // The address of an export, or nullptr when the library has none of that name.
    virtual void* resolve(const char* exportName) = 0;
};

class LibraryLoader {
public:
    virtual ~LibraryLoader() = default;
    // Loads a library by its base name ("OPC_UA_Search"); nullptr when it cannot be found or
    // loaded.
    virtual std::unique_ptr<DynamicLibrary> load(const QString& name) = 0;
};

// The program's loader: the platform's file name of the library ("libOPC_UA_Search.so") is
// looked for in the program folder first, as Windows searches, then in the system's library
// paths.
class QtLibraryLoader final : public LibraryLoader {
public:
    // programFolder: the folder searched first; empty for the running program's own folder.
    explicit QtLibraryLoader(QString programFolder = QString());
    std::unique_ptr<DynamicLibrary> load(const QString& name) override;

    // The platform's file name of a library's base name.
    static QString fileName(const QString& name);

private:
    QString programFolder_;
};

} // namespace platform
