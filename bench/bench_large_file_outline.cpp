// The large-file finder's outline over a tree of a million nodes made in memory (a folder of
// 600,000 files and one of 40 × 100 folders of 100 files): each step a user takes (showing
// the tree, opening a folder, scrolling, a refresh) timed with the events it posts, on the
// main thread's processor time, which is what the event loop is held for. Goal: no step over
// 400 ms. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include "core/largefiles/FileNodeTree.h"
#include "ui/largefiles/FileNodeModel.h"
#include "ui/largefiles/LagFileOutlineView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using core::largefiles::FileNode;
using core::largefiles::FileNodeTree;
using ui::FileNodeModel;
using ui::LagFileOutlineView;

std::vector<std::string> numbered(const std::string& prefix, int count) {
    std::vector<std::string> names;
    for (int index = 0; index < count; ++index) names.push_back(prefix + std::to_string(index));
    return names;
}

// Nodes of the given names below a folder (nullptr: the top level), files of sizes that vary.
std::vector<FileNode*> addNodes(FileNodeTree& tree, FileNode* folder, const std::vector<std::string>& names,
                                bool folders) {
    FileNode::Children children;
    std::vector<FileNode*> made;
    uint64_t sum = 0;
    for (const std::string& name : names) {
        const uint64_t size = folders ? 0 : (made.size() * 7919 + reinterpret_cast<uintptr_t>(folder)) % 100000;
        children.push_back(std::make_unique<FileNode>(name, folders, size, 0, folder));
        made.push_back(children.back().get());
        sum += size;
    }
    if (folder)
        tree.attachChildren(folder, std::move(children), sum);
    else
        tree.addTopLevel(std::move(children));
    return made;
}

void addFiles(FileNodeTree& tree, FileNode* folder, int count) { addNodes(tree, folder, numbered("f", count), false); }

// The tree, and its folders in folders.
std::shared_ptr<FileNodeTree> millionNodes(std::vector<FileNode*>& folders) {
    auto tree = std::make_shared<FileNodeTree>();
    tree->setTopFolder("/million", 1, 1);
    folders = addNodes(*tree, nullptr, {"flat", "deep"}, true);
    addFiles(*tree, folders[0], 600000);
    for (FileNode* middle : addNodes(*tree, folders[1], numbered("m", 40), true)) {
        folders.push_back(middle);
        for (FileNode* bottom : addNodes(*tree, middle, numbered("b", 100), true)) {
            folders.push_back(bottom);
            addFiles(*tree, bottom, 100);
        }
    }
    return tree;
}

// The outline as the page shows it, marking the nodes the user opens and closes.
class Outline {
public:
    Outline() : tree_(millionNodes(folders_)), view_(nullptr) {
        view_.resize(700, 470);
        QObject::connect(&view_, &QTreeView::expanded, &view_,
                         [](const QModelIndex& index) { FileNodeModel::nodeAt(index)->setExpand(true); });
        QObject::connect(&view_, &QTreeView::collapsed, &view_,
                         [](const QModelIndex& index) { FileNodeModel::nodeAt(index)->setExpand(false); });
        view_.show();
        QCoreApplication::processEvents();
    }

    const std::shared_ptr<FileNodeTree>& tree() const { return tree_; }
    LagFileOutlineView& view() { return view_; }
    QScrollBar& scrollBar() { return *view_.verticalScrollBar(); }
    QModelIndex row(const char* name, const QModelIndex& parent = {}) const {
        const FileNodeModel& model = *view_.model();
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex index = model.index(row, 0, parent);
            if (FileNodeModel::nodeAt(index)->name() == name) return index;
        }
        return {};
    }
    // The tree shown afresh, every folder closed and the list at its top.
    void showClosed() {
        for (FileNode* folder : folders_) folder->setExpand(false);
        view_.setTree(tree_);
        QCoreApplication::processEvents();
    }
    void openFlat() {
        view_.expand(row("flat"));
        QCoreApplication::processEvents();
    }

private:
    std::vector<FileNode*> folders_;
    std::shared_ptr<FileNodeTree> tree_;
    LagFileOutlineView view_;
};

Outline* outline = nullptr;

// Times one step with the events it posts; prepare runs untimed before each.
void timeStep(benchmark::State& state, const std::function<void()>& prepare, const std::function<void()>& step) {
    for (auto _ : state) {
        state.PauseTiming();
        prepare();
        state.ResumeTiming();
        step();
        QCoreApplication::processEvents();
    }
}

void BM_ShowTheTree(benchmark::State& state) {
    timeStep(state, [] { outline->view().setTree(nullptr); }, [] { outline->view().setTree(outline->tree()); });
}

void BM_OpenTheFolderOf600000Files(benchmark::State& state) {
    timeStep(state, [] { outline->showClosed(); }, [] { outline->openFlat(); });
}

void BM_ScrollToTheMiddleAndTheEnd(benchmark::State& state) {
    timeStep(state, [] {
        outline->showClosed();
        outline->openFlat();
    }, [] {
        outline->scrollBar().setValue(outline->scrollBar().maximum() / 2);
        QCoreApplication::processEvents();
        outline->scrollBar().setValue(outline->scrollBar().maximum());
    });
}

void BM_RefreshScrolledToTheEnd(benchmark::State& state) {
    timeStep(state, [] {
        outline->showClosed();
        outline->openFlat();
        outline->scrollBar().setValue(outline->scrollBar().maximum());
    }, [] { outline->view().refresh(); });
}

void BM_CloseTheFolderOf600000Files(benchmark::State& state) {
    timeStep(state, [] {
        outline->showClosed();
        outline->openFlat();
    }, [] { outline->view().collapse(outline->row("flat")); });
}

void BM_OpenTwoLevelsAndRefresh(benchmark::State& state) {
    timeStep(state, [] { outline->showClosed(); }, [] {
        const QModelIndex deep = outline->row("deep");
        outline->view().expand(deep);
        outline->view().expand(outline->view().model()->index(0, 0, deep));
        QCoreApplication::processEvents();
        outline->view().refresh();
    });
}

}  // namespace

BENCHMARK(BM_ShowTheTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTheFolderOf600000Files)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollToTheMiddleAndTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshScrolledToTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CloseTheFolderOf600000Files)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTwoLevelsAndRefresh)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    Outline shown;
    outline = &shown;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
