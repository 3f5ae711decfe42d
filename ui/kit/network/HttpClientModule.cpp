// The web client as a module of its own, loaded on the first request (platform::ModuleHttpClient),
// so that Qt Network and the libraries it brings are not loaded while the application starts.
#include "ui/kit/network/QtHttpClient.h"

extern "C" __attribute__((visibility("default"))) platform::HttpClient* duridoveMakeHttpClient() {
    return new ui::QtHttpClient;
}
