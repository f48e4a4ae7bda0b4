// The customer screen's look-ups: the customer search (顧客, F3), the search
// in kana syllabary order (顧客50, F4) and the postal-code search (郵便). Each
// runs its search object in the same order of calls: create, hand over the
// files, run, read the answer, release.
#include "ComboBox.h"
#include "CustomerKanaSearch.h"
#include "CustomerSearch.h"
#include "FrmROV2.h"
#include "Messages.h"
#include "PostalCodeSearch.h"
#include "ProgramEnv.h"
#include "TextBox.h"

#include <QFileInfo>
#include <QVariant>

namespace rov2 {

void FrmROV2::cmd顧客参照_Click()
{
    QVariant chosen;
    {
        CustomerSearch search(this);
        search.setDataPath(env().locations.dataFile);
        search.setWorkPath(env().locations.workFile);
        search.prepare();
        search.showModal();
        chosen = search.result();
    }
    // Closed without a choice: nothing is read, the screen stays as typed.
    if (!chosen.isNull())
        Read顧客情報(chosen.toString());
    cmb顧客名_->setFocus(Qt::OtherFocusReason);
}

void FrmROV2::cmd顧客参照50_Click()
{
    QString chosen;
    {
        CustomerKanaSearch search(this);
        search.setDataPath(env().locations.dataFile);
        search.setWorkPath(env().locations.workFile);
        search.prepare();
        (void)search.run(); // closed or chosen, the name tells
        chosen = search.name();
    }
    // Read even when closed without a choice: an empty name finds no
    // customer and leaves everything typed where it is (see Read顧客情報).
    Read顧客情報(chosen);
    cmb顧客名_->setFocus(Qt::OtherFocusReason);
}

void FrmROV2::cmd郵便_Click()
{
    const QString dictionary = env().locations.postalFile;
    if (dictionary.isEmpty() || !QFileInfo(dictionary).isFile()) {
        ShowMessage(MsgOp::その他, MsgKind::ファイルなし, QStringLiteral("郵便番号辞書"));
        return;
    }
    QString code;
    QString address;
    {
        PostalCodeSearch search(this);
        search.setDataPath(env().locations.dataFile);
        search.setWorkPath(env().locations.workFile);
        search.setDictionaryPath(dictionary);
        search.prepare();
        (void)search.run(); // closed or chosen, the code tells
        code = search.postalCode();
        if (!code.isEmpty()) {
            code = search.postalCode();
            address = search.address();
        }
    }
    if (code.isEmpty()) {
        txt郵便番号_->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The chosen address replaces what 住所１ held: the user asked for it.
    txt郵便番号_->setText(code);
    txt住所1_->setText(address);
    txt住所1_->setFocus(Qt::OtherFocusReason);
}

} // namespace rov2
