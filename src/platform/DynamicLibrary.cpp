#include "platform/DynamicLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <map>
#include <mutex>

namespace platform {

namespace {

// Loads of one file still held. QLibrary shares one loaded state per file between its
// instances, and one instance's unload() would release the library under the others; so only
// the last handle of a file unloads it.
std::map<QString, int>& holders()
{
    static std::map<QString, int> counts;
    return counts;
}
std::mutex& holdersLock()
{
    static std::mutex lock;
    return lock;
}

class QtDynamicLibrary final : public DynamicLibrary {
public:
    explicit QtDynamicLibrary(std::unique_ptr<QLibrary> library) : library_(std::move(library))
    {
        const std::lock_guard<std::mutex> guard(holdersLock());
        ++holders()[library_->fileName()];
    }
    ~QtDynamicLibrary() override
    {
        const std::lock_guard<std::mutex> guard(holdersLock());
        auto it = holders().find(library_->fileName());
        if (it != holders().end() && --it->second > 0)
            return;
        if (it != holders().end())
            holders().erase(it);
        library_->unload();
    }

    void* resolve(const char* exportName) override { return reinterpret_cast<void*>(library_->resolve(exportName)); }

private:
    std::unique_ptr<QLibrary> library_;
};

std::unique_ptr<DynamicLibrary> tryLoad(const QString& fileName)
{
    auto library = std::make_unique<QLibrary>(fileName);
    if (!library->load())
        return nullptr;
    return std::make_unique<QtDynamicLibrary>(std::move(library));
}

} // namespace

QtLibraryLoader::QtLibraryLoader(QString programFolder) : programFolder_(std::move(programFolder)) {}

QString QtLibraryLoader::fileName(const QString& name)
{
#if defined(Q_OS_WIN)
    return name + QStringLiteral(".dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("lib") + name + QStringLiteral(".dylib");
#else
    return QStringLiteral("lib") + name + QStringLiteral(".so");
#endif
}

std::unique_ptr<DynamicLibrary> QtLibraryLoader::load(const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    const QString folder = programFolder_.isEmpty() && QCoreApplication::instance()
                               ? QCoreApplication::applicationDirPath()
                               : programFolder_;
    const QString file = fileName(name);
    // An absolute path keeps the system from searching elsewhere for the program folder's copy.
    if (!folder.isEmpty()) {
        const QString local = QDir(folder).absoluteFilePath(file);
        if (QFileInfo(local).isFile())
            if (auto library = tryLoad(local))
                return library;
    }
    // A bare file name is looked up along the system's library paths.
    return tryLoad(file);
}

} // namespace platform
