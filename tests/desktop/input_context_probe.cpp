// Prints the class of the platform input context that Qt made for this
// process ("none" when it made none): what a program gets for the input
// method that QT_IM_MODULE names.

#include <QGuiApplication>

#include <private/qguiapplication_p.h>
#include <qpa/qplatforminputcontext.h>
#include <qpa/qplatformintegration.h>

#include <cstdio>

int main(int argc, char* argv[]) {
    const QGuiApplication application(argc, argv);
    const QPlatformInputContext* context =
        QGuiApplicationPrivate::platformIntegration()->inputContext();
    std::printf("%s\n", context == nullptr ? "none" : context->metaObject()->className());
    return 0;
}
