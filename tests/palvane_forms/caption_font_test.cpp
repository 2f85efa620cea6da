// The font the forms use has a glyph for every character of the Japanese captions, so none
// is drawn as an empty box.

#include <QApplication>
#include <QFontMetrics>
#include <QTest>

#include "palvane/forms/program_start.h"

class CaptionFontTest : public QObject {
  Q_OBJECT

 private slots:
  void captionFontHoldsTheJapaneseText() {
    palvane::useJapaneseFont(*qApp);
    const QFontMetrics metrics(QApplication::font());
    const QString captions = QStringLiteral(
        "照射野内分布の計算スペクトル描画計算結果の表示リセット角度θ,φの関係図ターゲット"
        "モリブデンタングステン管球傾斜ベリリウムアルミ（当量）ロジウムＸ線管電圧固有ろ過付加"
        "フィルタ空気層一定とする圧迫板による減弱は考慮しない備考"
        "管球の校正実測計算差アルミ当量を求める出力値ビーム軸上焦点からの距離設定基準点読込保存");
    for (const QChar character : captions) {
      QVERIFY2(metrics.inFont(character), qPrintable(QString(character)));
    }
  }
};

QTEST_MAIN(CaptionFontTest)
#include "caption_font_test.moc"
