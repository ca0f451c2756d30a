// Told how far a data source has been read (0.0 to 1.0).
#pragma once

class PLIProgressNotification {
public:
    virtual ~PLIProgressNotification() = default;
    virtual void OnProgress(double part) = 0;
};
