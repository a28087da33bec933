#include "model/EditHistory.h"

#include <algorithm>
#include <utility>

namespace vorn {

ConfigurationState StateOf(const ProgData& data) {
    return {data.Image, data.SavedCopy, data.ComparisonCopy, data.CurrentFilePath, data.ConfigOrigin};
}

void RestoreState(ProgData& data, const ConfigurationState& state) {
    data.Image = state.image;
    data.SavedCopy = state.savedCopy;
    data.ComparisonCopy = state.comparisonCopy;
    data.CurrentFilePath = state.filePath;
    data.ConfigOrigin = state.origin;
}

void EditHistory::Heard(std::string_view field, const FieldValue& before, const FieldValue& after,
                        bool byOperator, bool operatorAtWork) {
    if (paused_ > 0) {
        return;
    }
    const auto known = std::find_if(pending_.begin(), pending_.end(),
                                    [&](const FieldEdit& edit) { return edit.field == field; });
    if (known != pending_.end()) {
        // Whoever changed it, a field of the open step ends where it ends.
        known->after = after;
    } else if (open_ > 0 || byOperator || operatorAtWork) {
        pending_.push_back({std::string(field), before, after});
    } else {
        return;
    }
    if (byOperator && open_ == 0) {
        Close(std::string(field));
    }
}

void EditHistory::ActEnded(bool editing) {
    if (!editing && open_ == 0 && !pending_.empty()) {
        Close(pending_.front().field);
    }
}

void EditHistory::Begin(std::string label) {
    if (open_++ == 0) {
        programLabel_ = std::move(label);
    }
}

void EditHistory::End(std::optional<ConfigurationChange> configuration) {
    if (open_ > 0 && --open_ == 0) {
        Close(std::exchange(programLabel_, {}), std::move(configuration));
    }
}

void EditHistory::Close(std::string label, std::optional<ConfigurationChange> configuration) {
    std::erase_if(pending_, [](const FieldEdit& edit) { return edit.before == edit.after; });
    if (configuration && configuration->before == configuration->after) {
        configuration.reset();
    }
    if (pending_.empty() && !configuration) {
        return;
    }
    done_.push_back({std::move(label), std::exchange(pending_, {}), std::move(configuration)});
    if (done_.size() > MaxSteps) {
        done_.erase(done_.begin());
    }
    undone_.clear();
}

void EditHistory::Clear() {
    pending_.clear();
    done_.clear();
    undone_.clear();
}

EditStep* EditHistory::Undo() {
    // What is still open counts as done: it is the first to be taken back.
    if (open_ == 0 && !pending_.empty()) {
        Close(pending_.front().field);
    }
    if (done_.empty()) {
        return nullptr;
    }
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    return &undone_.back();
}

EditStep* EditHistory::Redo() {
    if (undone_.empty()) {
        return nullptr;
    }
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    return &done_.back();
}

} // namespace vorn
