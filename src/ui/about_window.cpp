#include "ui/about_window.h"

#include "ui/widget_text.h"
#include "ui/window_builder.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>

// Resources of a static library must be registered by name, from the global
// namespace.
static void initUiResources() {
    Q_INIT_RESOURCE(quillset_ui);
}

namespace quillset::ui {

namespace {

constexpr int kClientWidth = 6135;
constexpr int kClientHeight = 6285;

// The largest point size, from `start` down, at which the label's text fits
// its rectangle.
void fitFont(QLabel* label, double start) {
    QFont font = label->font();
    for (double size = start; size >= 5.0; size -= 0.25) {
        font.setPointSizeF(size);
        const QFontMetrics metrics(font);
        const QRect needed =
            metrics.boundingRect(label->contentsRect(), int(label->alignment()), label->text());
        if (needed.width() <= label->contentsRect().width() &&
            needed.height() <= label->contentsRect().height())
            break;
    }
    label->setFont(font);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

} // namespace

AboutWindow::AboutWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    initUiResources();
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("About"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(optionsWindowFont(font()));

    const TwipScale scale = TwipScale::forWidget(this);
    setFixedSize(scale.pixels(kClientWidth), scale.pixels(kClientHeight));

    makeLabel(this, "Label1", scale.rect({570, 120, 4995, 3795}));

    QLabel* banner = makeLabel(this, "Picture1", scale.rect({60, 3960, 6015, 1095}));
    banner->setPixmap(QPixmap(QStringLiteral(":/ui/banner.jpg")));
    banner->setScaledContents(true);
    banner->setAccessibleName(QStringLiteral("Quillset, settings editor for Korrin"));

    QLabel* address = makeLabel(this, "Label2", scale.rect({960, 5160, 4215, 375}));
    address->setText(QStringLiteral("Visit us at https://quillset.example.org"));
    fitFont(address, 13.5);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setGeometry(scale.rect({2400, 5760, 1335, 375}));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &AboutWindow::dismiss);

    // OK is the default button and Escape its cancel: this is no dialog, so
    // both keys are wired here. Either one hides the window, as OK does.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), this);
        connect(enter, &QShortcut::activated, ok, &QPushButton::click);
    }
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &AboutWindow::dismiss);

    fillAboutText();
}

QString AboutWindow::versionLine(int major, int minor, int revision) {
    return QStringLiteral("Version ") + signedNumber(major) + QLatin1Char('.') +
           signedNumber(minor) + QLatin1Char('.') + signedNumber(revision);
}

QStringList AboutWindow::aboutLines() {
    return {
        QStringLiteral("Quillset"),
        QStringLiteral("by the Quillset developers"),
        versionLine(QUILLSET_VERSION_MAJOR, QUILLSET_VERSION_MINOR, QUILLSET_VERSION_PATCH),
        QString(),
        QStringLiteral("Special Thanks to"),
        QStringLiteral("Mara Lindqvist, Tobias Renner, Ilka Voss and Jonas Ehrlich"),
        QString(),
        QStringLiteral("Special Greetings to the Korrin Developers"),
        QStringLiteral("for a great Game :)"),
        QString(),
        QStringLiteral("Greetings to"),
        QStringLiteral("Annika Brandt, Felix Osterkamp, Lena Marwitz"),
        QStringLiteral("Rufus Hallberg, Sina Petersen, Tarek Amani, Wiebke Solms"),
        QStringLiteral("Oskar Lindner, Pia Ravensberg, Jannik Wolter"),
        QStringLiteral("Greta Holmquist, Milan Dvorak, Ute Kessling, Bastian Roloff"),
        QStringLiteral("Nele Fahrenholz, Corvin Stade, Ida Brennecke"),
        QStringLiteral("Hauke Terhorst, Mirja Kalinke, Enno Vierbaum, Smilla Jost"),
        QStringLiteral("Leif Ostwald, Carla Renzi, Theo Markwart, Juna Falk"),
        QStringLiteral("and all the others I've forgotten ;)"),
    };
}

void AboutWindow::fillAboutText() {
    // Built line by line onto the label's caption. Only a new window runs
    // this, on an empty label, so the text never holds its lines twice.
    auto* label = findChild<QLabel*>(QStringLiteral("Label1"));
    const QStringList lines = aboutLines();
    setCaption(label, lines[0] + QLatin1Char('\r') + lines[1]);
    for (qsizetype i = 2; i < lines.size(); ++i)
        setCaption(label, caption(label) + QLatin1Char('\r') + lines[i]);
    fitFont(label, font().pointSizeF());
}

void AboutWindow::dismiss() {
    hide();
}

} // namespace quillset::ui
