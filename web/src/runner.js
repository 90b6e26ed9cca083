// Runs the program without freezing the page. At 1 to 25 steps a second every step is a call of
// its own and is shown; at maximum speed each animation frame runs one slice of steps, sized so
// that the slice takes about 10 ms. Between two calls the page handles its events, so Stop and
// Pause act before the next slice.

export const speeds = [1, 2, 5, 10, 25, 0];  // steps per second; 0 is the maximum

const kSliceMs = 10;

export class Runner {
    // `advance(steps)` goes on for at most `steps` steps and gives the pause; `onPause(pause)`
    // shows every pause; the run ends at the first pause that is not a slice.
    constructor(advance, onPause) {
        this.advance = advance;
        this.onPause = onPause;
        this.speed = 0;
        this.running = false;
        this.timer = 0;
        this.frame = 0;
        this.slice = 20000;
    }

    start() {
        this.running = true;
        this.schedule(true);
    }

    // Ends the loop; the machine stays where the last call left it.
    halt() {
        this.running = false;
        clearTimeout(this.timer);
        cancelAnimationFrame(this.frame);
    }

    schedule(first = false) {
        if (!this.running) return;
        if (this.speed === 0) this.frame = requestAnimationFrame(() => this.tick());
        else this.timer = setTimeout(() => this.tick(), first ? 0 : 1000 / this.speed);
    }

    tick() {
        if (!this.running) return;
        let pause;
        if (this.speed === 0) {
            const start = performance.now();
            pause = this.advance(this.slice);
            const spent = performance.now() - start;
            if (spent < kSliceMs / 2) this.slice = Math.min(this.slice * 2, 5e7);
            else if (spent > kSliceMs * 1.5) this.slice = Math.max(1000, Math.floor(this.slice * kSliceMs / spent));
        } else {
            pause = this.advance(1);
        }
        if (pause.reason !== 'slice') this.running = false;
        this.onPause(pause);
        this.schedule();
    }
}
