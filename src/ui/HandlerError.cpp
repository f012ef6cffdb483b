#include "ui/HandlerError.h"

#include "alarm/FileError.h"
#include "ui/UiTexts.h"

namespace alvetra {

UserMessage handlerErrorMessage(std::exception_ptr error)
{
    UserMessage message{uitexts::kApplicationTitle, uitexts::kUnknownError, MessageIcon::Error};
    try {
        std::rethrow_exception(error);
    } catch (const FileError &e) {
        message.text = e.message();
    } catch (const std::exception &e) {
        message.text = QString::fromLocal8Bit(e.what());
    } catch (...) {
    }
    return message;
}

} // namespace alvetra
