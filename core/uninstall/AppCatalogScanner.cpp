#include "core/uninstall/AppCatalogScanner.h"

#include "core/kit/BundleWalk.h"
#include "core/kit/CommUti.h"
#include "core/uninstall/RelatedAppFilesScanner.h"

#include <memory>

namespace core::uninstall {
namespace {

const BundleWalk::Kind& widgetKind() {
    static const BundleWalk::Kind kind{{"wdgt"}, false};
    return kind;
}

const BundleWalk::Kind& pluginKind() {
    static const BundleWalk::Kind kind{{"app", "plugin", "webplugin", "component", "mdimporter", "qlgenerator",
                                        "dictionary", "safariextz"},
                                       false};
    return kind;
}

void collect(const std::string& folder, const BundleWalk::Kind& kind, bool dropSystemApps,
             std::vector<AMAppItemPtr>& into) {
    BundleWalk::walk(folder, kind, [&](const std::string& path) {
        auto item = RelatedAppFilesScanner::constructItem(path);
        if (!dropSystemApps || !item->isSystemApp) into.push_back(std::move(item));
    });
}

}  // namespace

AppCatalogScanner::SearchPaths AppCatalogScanner::searchPaths() {
    return {CommUti::applicationPaths(), CommUti::widgetPaths(), CommUti::pluginPaths()};
}

void AppCatalogScanner::applicationsInPath(const std::string& folder, std::vector<AMAppItemPtr>& into) {
    collect(folder, BundleWalk::applications(), true, into);
}

void AppCatalogScanner::widgetsInPath(const std::string& folder, std::vector<AMAppItemPtr>& into) {
    collect(folder, widgetKind(), false, into);
}

void AppCatalogScanner::pluginsInPath(const std::string& folder, std::vector<AMAppItemPtr>& into) {
    collect(folder, pluginKind(), false, into);
}

std::vector<AMAppItemPtr> AppCatalogScanner::scanKind(AppKind kind, const std::vector<std::string>& folders) {
    std::vector<AMAppItemPtr> items;
    for (const auto& folder : folders) {
        switch (kind) {
            case AppKind::Applications: applicationsInPath(folder, items); break;
            case AppKind::Widgets: widgetsInPath(folder, items); break;
            case AppKind::Plugins: pluginsInPath(folder, items); break;
        }
    }
    return items;
}

void AppCatalogScanner::scanInBackground(const Executors& executors, SearchPaths folders, std::vector<AppKind> kinds,
                                         Reports reports) {
    auto shared = std::make_shared<Reports>(std::move(reports));
    executors.global([main = executors.main, folders = std::move(folders), kinds = std::move(kinds), shared] {
        for (AppKind kind : kinds) {
            auto items = std::make_shared<std::vector<AMAppItemPtr>>(
                scanKind(kind, folders[static_cast<size_t>(kind)]));
            main([shared, kind, items] {
                if (shared->kindScanned) shared->kindScanned(kind, std::move(*items));
            });
        }
        main([shared] {
            if (shared->finished) shared->finished();
        });
    });
}

}  // namespace core::uninstall
