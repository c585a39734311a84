#pragma once

// What every device interface shares: a stand-in (a test's recording device) can be installed
// in place of the real device, and is forgotten again when it goes.
template<class Interface> class InstalledDevice
{
public:
    virtual ~InstalledDevice()
    {
        if (s_installed == this)
            s_installed = nullptr;
    }

    // Puts a device in place; the caller keeps ownership. install(nullptr) goes back to the
    // real device.
    static void install(Interface *device) { s_installed = device; }

protected:
    // The device installed, or null for the real one.
    static Interface *installed() { return static_cast<Interface *>(s_installed); }

private:
    static inline InstalledDevice *s_installed = nullptr;
};
