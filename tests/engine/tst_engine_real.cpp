#include <QTest>
class TestEngineReal : public QObject { Q_OBJECT };
QTEST_MAIN(TestEngineReal)
#include "tst_engine_real.moc"
