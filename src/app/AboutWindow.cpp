#include "app/AboutWindow.h"

#include "core/Identity.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QLabel>
#include <QVBoxLayout>

namespace sondex {

AboutWindow::AboutWindow(const Identity& identity, const QString& version, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("パージョン情報"));
    auto* layout = new QVBoxLayout(this);
    auto* program = new QLabel(identity.ProductKey + QStringLiteral(".EXE ") + QStringLiteral("V") + version, this);
    program->setObjectName(QStringLiteral("ProductName"));
    auto* title = new QLabel(identity.AppTitle, this);
    title->setObjectName(QStringLiteral("ProgramTitle"));
    QFont big = title->font();
    big.setPixelSize(18);
    big.setBold(true);
    title->setFont(big);
    auto* maker = new QLabel(QStringLiteral("TAVIK SOFT32"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("ＯＫ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    for (QWidget* w : std::initializer_list<QWidget*>{title, program, maker, buttons}) layout->addWidget(w);
}

}  // namespace sondex
