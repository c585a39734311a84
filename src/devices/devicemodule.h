#pragma once

#include <QtGlobal>

#include <cstring>
#include <memory>
#include <typeinfo>

// The real devices that need a heavy library are shared modules that the program loads the
// first time it uses the device, not at its start: sound (Qt Multimedia with PulseAudio and
// its codecs) and the printer (Qt PrintSupport with CUPS). A module is one source file naming
// the interface it serves and the class that serves it,
//     ONDEL_DEVICE_MODULE(Printer, SystemPrinter)        // printermodule.cpp
// built with ondel_add_device_module() (src/devices/CMakeLists.txt); the device's current()
// makes the real device with
//     DeviceModule::create<Printer>("printer")
// The modules lie in lib/ondel/devices beside the program's bin folder, in a build tree and
// in an installation alike. A module holds its own copies of the program's code it uses, so state
// the program keeps (the media root, say) reaches it through its interface, never directly.
namespace DeviceModule {

// Loads libondel_<module>.so and makes its device. Null, after one line on standard
// error naming the module and the reason, when the module is missing, cannot be loaded or
// serves another interface. For the user-interface thread.
void *createDevice(const char *module, const char *interfaceName);

// Starts loading libondel_<module>.so on a thread of its own and returns at once, so that the
// device's first use finds it loaded instead of waiting for it.
void preload(const char *module);

template<class Interface> std::unique_ptr<Interface> create(const char *module)
{
    return std::unique_ptr<Interface>(
        static_cast<Interface *>(createDevice(module, typeid(Interface).name())));
}

} // namespace DeviceModule

// The one function a module exports: makes its device when asked for the interface it serves.
#define ONDEL_DEVICE_MODULE(Interface, Implementation)                                             \
    extern "C" Q_DECL_EXPORT void *ondelCreateDevice(const char *interfaceName)                    \
    {                                                                                              \
        if (std::strcmp(interfaceName, typeid(Interface).name()) != 0)                             \
            return nullptr;                                                                        \
        return static_cast<Interface *>(new Implementation);                                       \
    }
