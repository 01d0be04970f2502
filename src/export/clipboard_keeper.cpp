// The clipboard keeper: keeps a picture pasteable on X11 after the program that
// copied it has ended. The program starts it at shut-down with the picture as
// PNG on standard input (see clipboard_handover.h). It opens no window: it owns
// the clipboard until another program takes it or its lifetime of ten minutes
// passes, then ends. When a clipboard manager runs, the keeper ends at once,
// and Qt hands the picture to the manager on the way out (the SAVE_TARGETS
// convention), so the manager keeps it from then on.
//
// Usage: moxilo-clipboard-keeper [lifetime in seconds] < picture.png
// The program passes no argument; tests shorten the lifetime.

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QTimer>

#include <xcb/xcb.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

using namespace std::chrono_literals;

constexpr auto kLifetime = std::chrono::milliseconds(10min);
constexpr auto kOwnershipCheck = 250ms;
constexpr qint64 kMaxPictureBytes = 64 * 1024 * 1024;

struct FreeDeleter {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using XcbReply = std::unique_ptr<Reply, FreeDeleter>;

// Someone owns CLIPBOARD_MANAGER: the freedesktop.org clipboard manager convention.
bool clipboardManagerRunning() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        return false;
    }
    xcb_connection_t* connection = x11->connection();
    constexpr std::string_view kName = "CLIPBOARD_MANAGER";
    const XcbReply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, kName.size(), kName.data()), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE) {
        return false;
    }
    const XcbReply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atom->atom), nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

QImage readPicture() {
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray bytes = input.read(kMaxPictureBytes + 1);
    if (bytes.size() > kMaxPictureBytes) {
        return {};
    }
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "PNG");
    return reader.read();
}

std::chrono::milliseconds lifetime(int argc, char* argv[]) {
    if (argc < 2) {
        return kLifetime;
    }
    bool valid = false;
    const int seconds = QByteArray(argv[1]).toInt(&valid);
    return valid && seconds > 0 ? std::chrono::milliseconds(std::chrono::seconds(seconds))
                                : kLifetime;
}

}  // namespace

int main(int argc, char* argv[]) {
    // A session of its own: closing the terminal the program ran from must
    // not end the keeper with it.
    setsid();
    const QImage picture = readPicture();
    if (picture.isNull()) {
        return EXIT_FAILURE;
    }
    QGuiApplication application(argc, argv);
    QClipboard& clipboard = *QGuiApplication::clipboard();
    clipboard.setImage(picture);
    if (!clipboard.ownsClipboard()) {
        return EXIT_FAILURE;
    }
    if (clipboardManagerRunning()) {
        return EXIT_SUCCESS;
    }
    QTimer::singleShot(lifetime(argc, argv), &application, &QCoreApplication::quit);
    QTimer ownership;
    QObject::connect(&ownership, &QTimer::timeout, &application, [&clipboard] {
        if (!clipboard.ownsClipboard()) {
            QCoreApplication::quit();
        }
    });
    ownership.start(kOwnershipCheck);
    return QGuiApplication::exec();
}
