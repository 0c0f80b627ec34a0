#pragma once

#include "refbooks/U_spr_type.h"

// The suppliers reference book: the groups window's layout over the suppliers, their codes
// hidden.
class TF_post : public TF_type {
    Q_OBJECT
public:
    explicit TF_post(TDM1& dm, QWidget* parent = nullptr);
    ~TF_post() override;
};

extern TF_post* F_post;
