#include "platform/x11/WindowSystem.h"

#include "platform/x11/X11WindowSystem.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace {

// Wayland, offscreen and any other platform: no client may hide other clients' windows there,
// and the blur request of the X11 compositors does not exist.
class UnsupportedWindowSystem final : public WindowSystem {
public:
    bool isX11() const override { return false; }
    bool canHideOtherApplications() const override { return false; }
    QString unavailableReason() const override
    {
        return QCoreApplication::translate("WindowSystem",
                                           "Needs an X11 session: this desktop does not let one "
                                           "application hide the windows of others.");
    }
    QString hideOtherApplications(WId) override { return unavailableReason(); }
    bool setBlurBehind(QWindow*, bool) override { return false; }
    bool nativeWindowExists(WId) const override { return true; }
};

} // namespace

std::unique_ptr<WindowSystem> WindowSystem::create()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (auto x11 = X11WindowSystem::fromApplication())
            return x11;
    }
    return std::make_unique<UnsupportedWindowSystem>();
}

WindowSystem& WindowSystem::instance()
{
    static const std::unique_ptr<WindowSystem> shared = create();
    return *shared;
}
