#include "shell/stringtable.h"

#include <QLocale>
#include <unordered_map>

namespace veltra::shell {

namespace {

const std::unordered_map<int, QString> &japanese()
{
    static const std::unordered_map<int, QString> table = {
        // Menu headings.
        {1000, QStringLiteral("ﾌｧｲﾙ")},
        {1001, QStringLiteral("編集")},
        {1002, QStringLiteral("表示")},
        {1003, QStringLiteral("検索")},
        {1004, QStringLiteral("ﾃﾞｰﾀ編集")},
        {1005, QStringLiteral("データ参照")},
        {1006, QStringLiteral("属性操作")},
        {1007, QStringLiteral("背景地図")},
        {1008, QStringLiteral("地積操作")},
        {1009, QStringLiteral("ﾂｰﾙ")},
        {1010, QStringLiteral("ｳｨﾝﾄﾞｳ")},
        {1011, QStringLiteral("ﾍﾙﾌﾟ")},
        // File.
        {1100, QStringLiteral("地図定義を開く")},
        {1101, QStringLiteral("地図データの保存")},
        {1102, QStringLiteral("閉じる")},
        {1103, QStringLiteral("ｴﾚﾒﾝﾄﾃｷｽﾄﾃﾞｰﾀ")},
        {1104, QStringLiteral("入力")},
        {1105, QStringLiteral("出力")},
        {1106, QStringLiteral("印刷")},
        {1107, QStringLiteral("地図印刷")},
        {1108, QStringLiteral("画面印刷")},
        {1109, QStringLiteral("終了")},
        {1150, QStringLiteral("ﾚｲｱｳﾄ印刷")},
        {1151, QStringLiteral("ストーリー＆テンプレートダウンロード")},
        // Edit.
        {1200, QStringLiteral("元に戻す")},
        {1201, QStringLiteral("やり直し")},
        {1202, QStringLiteral("保存直後に戻す")},
        // View.
        {1300, QStringLiteral("標準")},
        {1301, QStringLiteral("移動")},
        {1302, QStringLiteral("選択拡大")},
        {1303, QStringLiteral("拡大")},
        {1304, QStringLiteral("縮小")},
        {1305, QStringLiteral("回転")},
        {1306, QStringLiteral("再表示")},
        {1307, QStringLiteral("全画面表示")},
        {1308, QStringLiteral("表示設定")},
        {1309, QStringLiteral("凡例")},
        {1310, QStringLiteral("方位")},
        {1311, QStringLiteral("全域図")},
        {1312, QStringLiteral("ｽｹｰﾙ")},
        {1313, QStringLiteral("ﾂｰﾙﾊﾞｰ")},
        {1314, QStringLiteral("標準")},
        {1315, QStringLiteral("ﾎｰﾑ")},
        {1316, QStringLiteral("縮尺率")},
        {1317, QStringLiteral("ﾂｰﾙﾊﾞｰの文字")},
        {1318, QStringLiteral("ﾂｰﾙﾊﾞｰのｻｲｽﾞ")},
        {1319, QStringLiteral("大")},
        {1320, QStringLiteral("小")},
        {1321, QStringLiteral("ｽﾃｰﾀｽﾊﾞｰ")},
        {1330, QStringLiteral("拡張")},
        // Search.
        {1400, QStringLiteral("住所検索")},
        {1401, QStringLiteral("文字列検索")},
        // Data editing and reference.
        {1500, QStringLiteral("ﾃﾞｰﾀ追加")},
        {1501, QStringLiteral("削除")},
        {1502, QStringLiteral("移動")},
        {1503, QStringLiteral("複写")},
        {1504, QStringLiteral("図形")},
        {1505, QStringLiteral("属性")},
        {1600, QStringLiteral("添付ﾌｧｲﾙ")},
        // Background map.
        {1700, QStringLiteral("地図画像を表示")},
        {1701, QStringLiteral("実行")},
        {1702, QStringLiteral("停止")},
        {1703, QStringLiteral("位置調整")},
        {1704, QStringLiteral("階層化")},
        {1705, QStringLiteral("設定")},
        // Tools.
        {1800, QStringLiteral("計算ﾂｰﾙ")},
        {1801, QStringLiteral("距離計算")},
        {1802, QStringLiteral("空間面積計算")},
        {1803, QStringLiteral("ｴﾚﾒﾝﾄ一括削除")},
        {1804, QStringLiteral("ﾎｰﾑ登録")},
        {1805, QStringLiteral("ｸﾞﾙｰﾌﾟ設定")},
        {1806, QStringLiteral("ｼｽﾃﾑ設定")},
        {1807, QStringLiteral("表示日設定")},
        {1808, QStringLiteral("座標設定")},
        {1809, QStringLiteral("その他設定")},
        {1810, QStringLiteral("面積計算")},
        {1811, QStringLiteral("ｴﾚﾒﾝﾄ一括変更")},
        {1812, QStringLiteral("同心円")},
        {1813, QStringLiteral("ｴﾚﾒﾝﾄ操作")},
        {1814, QStringLiteral("ｴﾚﾒﾝﾄ一括編集")},
        {1815, QStringLiteral("処理対象設定")},
        {1816, QStringLiteral("メイン画面切り替え")},
        {1817, QStringLiteral("ビギナー")},
        {1818, QStringLiteral("プロ")},
        // Statistics.
        {2202, QStringLiteral("人口ﾋﾟﾗﾐｯﾄﾞ")},
        {2203, QStringLiteral("統計ﾃﾞｰﾀ参照")},
        {2204, QStringLiteral("緯度経度")},
        {2205, QStringLiteral("統計地図")},
        {2207, QStringLiteral("ｽﾄｰﾘｰとﾃﾝﾌﾟﾚｰﾄ")},
        {2208, QStringLiteral("画面切り取り")},
        {2222, QStringLiteral("統計機能")},
    };
    return table;
}

} // namespace

std::optional<QString> loadResString(int id, StringLanguage language)
{
    if (language == StringLanguage::English && id == 1000)
        return QStringLiteral("File(&F)");
    const auto &table = japanese();
    const auto it = table.find(id);
    if (it == table.end())
        return std::nullopt;
    return it->second;
}

StringLanguage uiLanguage()
{
    return QLocale().language() == QLocale::English ? StringLanguage::English : StringLanguage::Japanese;
}

} // namespace veltra::shell
