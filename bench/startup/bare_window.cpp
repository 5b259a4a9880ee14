// The yardstick for the start-up benchmark: an empty Qt window that says
// when it first paints, as the program does under CLVN_START_TRACE.

#include <QApplication>
#include <QWidget>

#include <cstdio>

namespace {

class Bare : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        if (!m_said) {
            m_said = true;
            std::printf("shown main\n");
            std::fflush(stdout);
        }
    }

private:
    bool m_said = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Bare window;
    window.resize(612, 450);
    window.show();
    return QApplication::exec();
}
