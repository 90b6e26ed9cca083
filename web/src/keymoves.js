// The keys that move a cursor through a list or a grid of items from the keyboard, as a list box
// and a grid move theirs: the arrows one item (or one row), Page Up and Page Down a page, Home
// and End to the first and last (in a grid, of the row). Enter or Space picks the item.

// The index the cursor moves to from `index` among `count` items `columns` to a row, a page
// being `page` rows; null for a key that does not move it.
export function movedTo(key, index, count, { columns = 1, page = 10 } = {}) {
    const rowStart = index - index % columns;
    const moves = {
        ArrowUp: index - columns,
        ArrowDown: index + columns,
        PageUp: index - page * columns,
        PageDown: index + page * columns,
        Home: columns > 1 ? rowStart : 0,
        End: columns > 1 ? rowStart + columns - 1 : count - 1,
    };
    if (columns > 1) Object.assign(moves, { ArrowLeft: index - 1, ArrowRight: index + 1 });
    if (!(key in moves) || count === 0) return null;
    return Math.max(0, Math.min(count - 1, moves[key]));
}

export function picks(event) {
    return event.key === 'Enter' || event.key === ' ';
}
