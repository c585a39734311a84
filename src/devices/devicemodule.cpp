#include "devicemodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QThreadPool>

#include <cstdio>

namespace {

QString moduleFile(const char *module)
{
    const QString folder = QDir::cleanPath(QCoreApplication::applicationDirPath()
                                           + QStringLiteral("/" ONDEL_MODULE_DIR_FROM_BIN));
    return folder + QStringLiteral("/libondel_%1.so").arg(QLatin1String(module));
}

} // namespace

void DeviceModule::preload(const char *module)
{
    // Loaded for good, as createDevice() loads it; a module that cannot be loaded is reported
    // when its device is made.
    QThreadPool::globalInstance()->start([file = moduleFile(module)] { QLibrary(file).load(); });
}

void *DeviceModule::createDevice(const char *module, const char *interfaceName)
{
    const QString file = moduleFile(module);
    if (!QFileInfo::exists(file)) {
        std::fprintf(stderr, "%s: the %s module is missing: %s\n",
                     qPrintable(QCoreApplication::applicationName()), module, qPrintable(file));
        return nullptr;
    }
    QLibrary library(file);
    // Loaded for good: the library stays when this handle goes.
    const auto create
        = reinterpret_cast<void *(*)(const char *)>(library.resolve("ondelCreateDevice"));
    void *device = create ? create(interfaceName) : nullptr;
    if (!device) {
        const QString reason
            = create ? QStringLiteral("it makes another device") : library.errorString();
        std::fprintf(stderr, "%s: the %s module could not be loaded: %s\n",
                     qPrintable(QCoreApplication::applicationName()), module, qPrintable(reason));
    }
    return device;
}
