#pragma once

#include <string>

namespace core::browser {

// Counts and deletes rows in the browsers' SQLite databases. Every method opens the database
// file it is given, runs its fixed statements and closes it again; nothing is kept between
// calls, so any thread may call. Counting opens read-only (it never creates a file nor
// checkpoints a running browser's log); deleting opens for writing; neither creates a
// database, and both wait about a second for a browser that holds it locked. A count that
// cannot be taken is 0 (Safari's -1); each delete answers whether every statement finished,
// and a failed statement never stops the next.
class ToGetDB {
public:
    static ToGetDB& returnToGetDB();

    int getGoogleHistoryItems(const std::string& path);
    int getGoogleDownloadItems(const std::string& path);
    int getGooglePasswordItems(const std::string& path);
    int getGoogleCookiesItems(const std::string& path);
    int getQQBrowserHistoryItems(const std::string& path);
    int getQQBrowserDownloadItems(const std::string& path);
    int getQQBrowserCookiesItems(const std::string& path);
    int getEdgeHistoryItems(const std::string& path);
    int getEdgeDownloadItems(const std::string& path);
    int getEdgeCookiesItems(const std::string& path);
    int getChromiumHistoryItems(const std::string& path);
    int getChromiumDownloadItems(const std::string& path);
    int getChromiumCookiesItems(const std::string& path);
    int getOperaHistoryItems(const std::string& path);
    int getOperaDownloadItems(const std::string& path);
    int getOperaPasswordItems(const std::string& path);
    int getFirefoxHistoryItems(const std::string& path);
    int getFirefoxDownloadItmes(const std::string& path);
    int getFirefoxPasswordItems(const std::string& path);
    // The visits that belong to a history item, counted on a copy made in a private folder of
    // its own (with the database's "-wal" and "-shm" files), which is removed in every case;
    // -1 when the database is missing or cannot be copied or read.
    int getSafariBrowsingHistoryItems(const std::string& path);

    bool toDeleteHistoryWith(const std::string& path);
    bool toDeleteDownloadWith(const std::string& path);
    bool toDeleteGoogleCookiesWith(const std::string& path);
    bool toDeletePasswordWith(const std::string& path);
    bool qqBrowserDeleteHistoryWith(const std::string& path);
    bool qqBrowserDeleteDownloadWith(const std::string& path);
    bool qqBrowserDeleteCookiesWith(const std::string& path);
    bool qqBrowserDeletePasswordWith(const std::string& path);
    bool edgeDeleteHistoryWith(const std::string& path);
    bool edgeDeleteDownloadWith(const std::string& path);
    bool edgeDeleteCookiesWith(const std::string& path);
    bool edgeDeletePasswordWith(const std::string& path);
    bool chromiumDeleteHistoryWith(const std::string& path);
    bool chromiumDeleteDownloadWith(const std::string& path);
    bool chromiumDeleteCookiesWith(const std::string& path);
    bool chromiumDeletePasswordWith(const std::string& path);
    bool operaDeleteHistoryWith(const std::string& path);
    bool operaDeleteDownloadWith(const std::string& path);
    bool operaDeletePasswordWith(const std::string& path);
    bool firefoxDeleteHistoryWith(const std::string& path);
    bool firefoxDeleteDownloadWith(const std::string& path);
    bool firefoxDeletePasswordWith(const std::string& path);
    bool safariDeleteHistoryWith(const std::string& path);

private:
    ToGetDB() = default;
};

}  // namespace core::browser
