// TBannerPlayer: the banner box. It plays a movie file (an animated GIF, or any still image the
// platform's codecs read) in its own window, scaled to the box, frame by frame with the delays
// and loop count the file gives. A missing or unreadable file leaves the box empty, in the box's
// colour, and raises no error.
#pragma once

#include <memory>
#include <string>

#include "banner/Movie.h"
#include "framework/controls/CustomControl.h"

namespace bus {

class TTimer;

class EBannerError : public Exception {
public:
  using Exception::Exception;
};

// How the movie fits the box.
enum class TBannerScaleMode {
  smShowAll,   // the whole movie, as large as fits, aspect kept, centred; the rest in the box colour
  smNoBorder,  // fills the box, aspect kept, centred; what sticks out is cut off
  smExactFit,  // stretched to the box
};

enum class TBannerQuality {
  bqLow,   // nearest pixel
  bqHigh,  // smoothed when scaled
};

class TBannerPlayer : public TCustomControl {
  BUS_CLASS(TBannerPlayer)
public:
  explicit TBannerPlayer(TComponent* owner);
  ~TBannerPlayer() override;

  // Loads the movie file at path (UTF-8) into layer 0, the only layer, and shows its first frame,
  // stopped. An empty box when the file cannot be read. Throws EBannerError for another layer.
  void LoadMovie(int layer, const std::string& path);
  // Starts playing the loaded movie from its first frame (again, once it has played out); the
  // last frame stays when the plays are done.
  void Play();
  void Stop();
  bool Playing() const noexcept { return playing_; }

  const banner::Movie& Movie() const noexcept { return movie_; }
  // The frame shown, or -1 for an empty box.
  int CurrentFrame() const noexcept { return movie_.Empty() ? -1 : frame_; }
  // Where the movie lies in the client area.
  RECT MovieRect() const;

  TBannerScaleMode ScaleMode() const noexcept { return scaleMode_; }
  void SetScaleMode(TBannerScaleMode mode);
  TBannerQuality Quality() const noexcept { return quality_; }
  void SetQuality(TBannerQuality quality);

protected:
  void Paint() override;

private:
  void ShowFrame(int index);
  void NextFrame();

  banner::Movie movie_;                       // what is played
  int frame_ = 0;                          // frame shown
  int playsDone_ = 0;                      // completed runs through the frames
  bool playing_ = false;                   // the frame timer runs
  std::unique_ptr<TTimer> frameTimer_;     // ends the current frame's delay
  std::vector<std::uint32_t> scratch_;     // the frame flattened onto the box colour for drawing
  TBannerScaleMode scaleMode_ = TBannerScaleMode::smShowAll;  // fitting
  TBannerQuality quality_ = TBannerQuality::bqHigh;            // scaling quality
};

// Registers TBannerPlayer for form descriptions.
void RegisterBannerClasses();

}  // namespace bus
