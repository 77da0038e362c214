// The main window's list with the program's skin: a refill of 800 rows of
// four columns inside an update block (with the deferred layout and repaint
// it causes), and one paint of the list at its size of 306 x 215 showing
// 20 rows.
#include "BsSkinListView.h"
#include "Bsskindata.h"
#include "GbkText.h"
#include "SkinCtrlDM.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

QApplication& Application()
{
    static int argc = 1;
    static char name[] = "skin_controls";
    static char* argv[] = { name, nullptr };
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication application(argc, argv);
    return application;
}

struct Row {
    std::string Name, Code, Price, Change;
};

std::vector<Row> Rows(int count)
{
    const char* names[]
        = { "浦发银行", "邯郸钢铁", "白云机场", "武钢股份", "东风汽车", "中国国贸", "万 科Ａ" };
    std::vector<Row> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({ QStringToGbk(QString::fromUtf8(names[i % 7])), std::to_string(600000 + i),
            std::to_string(10 + i % 50) + ".25", (i % 3 ? "-" : "") + std::to_string(i % 10) + ".05" });
    return rows;
}

// The main window's list: 306 x 215, four columns, hand pointer, program skin.
struct MainList {
    MainList()
    {
        Application();
        list = std::make_unique<TbsSkinListView>();
        list->setGeometry(0, 0, 306, 215);
        list->SetHeaderSkinDataName("resizetoolbutton");
        list->SetHotTrackStyle(htHandPoint);
        list->SetColumns({ { QStringToGbk(QStringLiteral("名称")), 80, taLeftJustify },
            { QStringToGbk(QStringLiteral("代码")), 60, taCenter },
            { QStringToGbk(QStringLiteral("价格")), 80, taCenter },
            { QStringToGbk(QStringLiteral("涨幅%")), 80, taCenter } });
        list->SetSkinData(module.bsSkinData1);
        list->show();
        QCoreApplication::processEvents();
    }

    void Fill(const std::vector<Row>& rows)
    {
        list->BeginUpdate();
        list->Clear();
        for (const Row& row : rows)
            list->AddItem(row.Name, { row.Code, row.Price, row.Change });
        list->EndUpdate();
    }

    TSkinCtrlModule module;
    std::unique_ptr<TbsSkinListView> list;
};

void BM_RefillListView800(benchmark::State& state)
{
    MainList main;
    const std::vector<Row> rows = Rows(800);
    for (auto _ : state) {
        main.Fill(rows);
        // The layout and repaint the refill leaves for the event loop.
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = static_cast<double>(main.list->ItemCount());
}
BENCHMARK(BM_RefillListView800)->Unit(benchmark::kMillisecond);

void BM_PaintMainList20Rows(benchmark::State& state)
{
    MainList main;
    main.Fill(Rows(20));
    QCoreApplication::processEvents();
    QImage target(306, 215, QImage::Format_RGB32);
    for (auto _ : state) {
        main.list->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_PaintMainList20Rows)->Unit(benchmark::kMillisecond);

} // namespace
