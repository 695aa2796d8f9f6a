#pragma once
// A flag raised for as long as a scope runs, and put back as it was however the scope is left,
// an exception included. Portable.

class RaisedFlag {
public:
    explicit RaisedFlag(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~RaisedFlag() { flag_ = before_; }
    RaisedFlag(const RaisedFlag&) = delete;
    RaisedFlag& operator=(const RaisedFlag&) = delete;

private:
    bool& flag_;
    bool before_;
};
