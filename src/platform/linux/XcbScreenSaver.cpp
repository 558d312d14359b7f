#include "platform/linux/XcbScreenSaver.h"

#include "core/FileIo.h"
#include "platform/XScreenSaverChoice.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace rimo {

XcbScreenSaver::XcbScreenSaver(QByteArray display, QString daemonSettings, QObject* parent)
    : QObject(parent), display_(std::move(display)), daemonSettings_(std::move(daemonSettings)) {
    if (daemonSettings_.isEmpty()) {
        daemonSettings_ = qEnvironmentVariable("HOME") + QStringLiteral("/.xscreensaver");
    }
}

XcbScreenSaver::~XcbScreenSaver() {
    if (connection_) {
        xcb_disconnect(connection_);
    }
}

xcb_connection_t* XcbScreenSaver::Connection() {
    if (!connectTried_) {
        connectTried_ = true;
        const char* name = display_.isEmpty() ? std::getenv("DISPLAY") : display_.constData();
        if (name && *name) {
            connection_ = xcb_connect(name, nullptr);
            if (xcb_connection_has_error(connection_)) {
                xcb_disconnect(connection_);
                connection_ = nullptr;
            }
        }
        if (!connection_) {
            std::fprintf(stderr, "RimoTimeInformation: no X server; the screen saver "
                                 "settings read as off\n");
        }
    }
    return connection_;
}

std::optional<XcbScreenSaver::Settings> XcbScreenSaver::Read() {
    xcb_connection_t* c = Connection();
    if (!c) {
        return std::nullopt;
    }
    xcb_get_screen_saver_reply_t* reply =
        xcb_get_screen_saver_reply(c, xcb_get_screen_saver(c), nullptr);
    if (!reply) {
        return std::nullopt;
    }
    Settings settings{reply->timeout, reply->interval, reply->prefer_blanking,
                      reply->allow_exposures};
    std::free(reply);
    return settings;
}

void XcbScreenSaver::Write(const Settings& settings) {
    xcb_connection_t* c = Connection();
    if (!c) {
        return;
    }
    // The protocol's fields are 16 bits; -1 asks for the server's default.
    const auto timeOut = static_cast<std::int16_t>(std::clamp(settings.TimeOut, -1, 32767));
    xcb_generic_error_t* error = xcb_request_check(
        c, xcb_set_screen_saver_checked(c, timeOut, static_cast<std::int16_t>(settings.Interval),
                                        static_cast<std::uint8_t>(settings.PreferBlanking),
                                        static_cast<std::uint8_t>(settings.AllowExposures)));
    std::free(error);
}

std::optional<int> XcbScreenSaver::TimeOut() {
    const std::optional<Settings> settings = Read();
    return settings ? std::optional<int>(settings->TimeOut) : std::nullopt;
}

std::optional<bool> XcbScreenSaver::Active() {
    const std::optional<Settings> settings = Read();
    return settings ? std::optional<bool>(settings->TimeOut != 0) : std::nullopt;
}

void XcbScreenSaver::SetTimeOut(int seconds) {
    wantedTimeOut_ = seconds;
    std::optional<Settings> settings = Read();
    if (settings && settings->TimeOut != 0) {
        settings->TimeOut = seconds > 0 ? seconds : -1;
        Write(*settings);
    }
}

void XcbScreenSaver::SetActive(bool active) {
    std::optional<Settings> settings = Read();
    if (!settings) {
        return;
    }
    if (!active) {
        settings->TimeOut = 0;
    } else if (wantedTimeOut_ > 0) {
        settings->TimeOut = wantedTimeOut_;
    } else if (settings->TimeOut == 0) {
        settings->TimeOut = -1;
    }
    Write(*settings);
}

bool XcbScreenSaver::Force(bool on) {
    xcb_connection_t* c = Connection();
    if (!c) {
        return false;
    }
    xcb_force_screen_saver(c, on ? XCB_SCREEN_SAVER_ACTIVE : XCB_SCREEN_SAVER_RESET);
    xcb_flush(c);
    return true;
}

void XcbScreenSaver::SelectProgram(const std::string& path) {
    // The daemon keeps its own choice; it reads its file again when it changes.
    if (path.empty() || !DaemonRuns()) {
        return;
    }
    const std::filesystem::path file = daemonSettings_.toStdString();
    std::string error;
    const std::optional<std::string> text = ReadWholeFile(file, &error, false);
    if (!text) {
        return; // no file of the user's: the daemon's defaults stay
    }
    if (const std::optional<std::string> chosen = SelectHack(*text, path)) {
        const Status written = WriteFileAtomically(file, *chosen);
        if (!written) {
            std::fprintf(stderr, "RimoTimeInformation: %s\n", written.message().c_str());
        }
    }
}

bool XcbScreenSaver::DaemonRuns() {
    xcb_connection_t* c = Connection();
    if (!c) {
        return false;
    }
    // The daemon announces itself with this property on the root window.
    static const char kAtom[] = "_SCREENSAVER_VERSION";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 1, static_cast<std::uint16_t>(std::strlen(kAtom)), kAtom), nullptr);
    if (!atom) {
        return false;
    }
    const xcb_atom_t name = atom->atom;
    std::free(atom);
    if (name == XCB_ATOM_NONE) {
        return false;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_get_property_reply_t* property = xcb_get_property_reply(
        c, xcb_get_property(c, 0, screen->root, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 16), nullptr);
    const bool runs = property && property->type != XCB_ATOM_NONE;
    std::free(property);
    return runs;
}

} // namespace rimo
