#include "operations_form.h"

#include "reference/listings/listing.h"
#include "shell/data_modules.h"

namespace corvane::reference {

TCORVF002::TCORVF002(shell::TDTCORVANE& data, Listing* listing, const screens::ScreenSetting& setting,
                     QWidget* parent)
    : TableScreenForm(
          operationsScreen(),
          [&data, onError = setting.onError](ScreenView& view) -> std::unique_ptr<TableScreen> {
              return std::make_unique<OperationsScreen>(data.OPERACOES, data.TIPOCUSTO, view, onError);
          },
          listing, setting, parent) {}

} // namespace corvane::reference
