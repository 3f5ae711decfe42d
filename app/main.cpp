#include "core/largefiles/Controller.h"
#include "core/readings/GetSystemInfo.h"
#include "platform/desktop/ModuleHttpClient.h"
#include "platform/desktop/Workspace.h"
#include "platform/files/OpenFileLimit.h"
#include "platform/system/Bundle.h"
#include "ui/kit/desktop/ChineseQtTexts.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/desktop/NumericLocale.h"
#include "ui/kit/desktop/QtWorkspace.h"
#include "ui/shell/AppDelegate.h"
#include "ui/shell/MyNSApplication.h"
#include "ui/shell/SingleInstance.h"

#include <QWidget>

#include <memory>

int main(int argc, char* argv[]) {
    platform::raiseOpenFileLimit();
    ui::MyNSApplication application(argc, argv);
    ui::useCNumericLocale();
    ui::useChineseQtTexts(application);

    ui::SingleInstance instance(ui::SingleInstance::defaultSocketPath());
    if (!instance.claim()) return 0;

    platform::Workspace::setShared(std::make_shared<ui::QtWorkspace>());
    platform::HttpClient::setShared(std::make_shared<platform::ModuleHttpClient>(
        platform::Bundle::folder() + "/duridove_http.so", "duridoveMakeHttpClient"));
    core::GetSystemInfo::setSharedExecutors(ui::Dispatch::executors());
    core::largefiles::Controller::setSharedExecutors(ui::Dispatch::executors());
    ui::AppDelegate delegate;
    QObject::connect(&instance, &ui::SingleInstance::reopenRequested, &delegate,
                     [&delegate] { delegate.applicationShouldHandleReopen(delegate.window()->isVisible()); });
    delegate.launch();
    return application.exec();
}
