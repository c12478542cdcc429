#include "AboutBox.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include "Icons.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace krv {

TLinkLabel::TLinkLabel(const QString& text, const QUrl& url, QWidget* parent) : QLabel(text, parent), m_url(url)
{
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setStyleSheet(QStringLiteral("color: #0000ff;"));
    setCursor(Qt::PointingHandCursor);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        QDesktopServices::openUrl(m_url);
}

TAboutBox::TAboutBox(const QString& programCaption, const QString& versionCaption, const QStringList& versions,
                     QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("ProgramIcon"));
    logo->setPixmap(ProgramIcon("logo").pixmap(64, 64));
    logo->setAlignment(Qt::AlignTop);

    auto* label1 = new QLabel(programCaption, this);
    label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = label1->font();
    bold.setBold(true);
    label1->setFont(bold);
    auto* label3 = new QLabel(QString::fromLatin1(kProgramVersion), this);
    label3->setObjectName(QStringLiteral("Label3"));
    auto* label2 = new QLabel(versionCaption, this);
    label2->setObjectName(QStringLiteral("Label2"));
    auto* memo = new QPlainTextEdit(versions.join(QLatin1Char('\n')), this);
    memo->setObjectName(QStringLiteral("MemoVersionList"));
    memo->setReadOnly(true);
    memo->setEnabled(false);
    memo->setFixedHeight(memo->fontMetrics().lineSpacing() * (int(versions.size()) + 1) + 8);

    auto* web = new TLinkLabel(QString::fromLatin1(kWebAddress), QUrl(QString::fromLatin1(kWebAddress)), this);
    web->setObjectName(QStringLiteral("LinkLabelWeb"));
    QUrl mail(QStringLiteral("mailto:") + QString::fromLatin1(kSupportMail));
    mail.setQuery(QStringLiteral("subject=KRV614"));
    auto* email = new TLinkLabel(QStringLiteral("E-mail: ") + QString::fromLatin1(kSupportMail), mail, this);
    email->setObjectName(QStringLiteral("LinkLabelMail"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(label1);
    text->addWidget(label3);
    text->addSpacing(6);
    text->addWidget(label2);
    text->addWidget(memo);
    text->addSpacing(6);
    text->addWidget(web);
    text->addWidget(email);
    auto* top = new QHBoxLayout;
    top->addWidget(logo);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

} // namespace krv
